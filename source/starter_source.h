#ifndef SOURCE_STARTER_SOURCE_H_
#define SOURCE_STARTER_SOURCE_H_

#include <span>
#include <string_view>

namespace scenario {

// A small scenario to start an author's own from: 5 km of route with one
// line of each kind, and a train with two stations, one slow-down, one
// signal and one point. It compiles without a diagnostic. Each a line
// table, closed by the end-of-list marker.
std::span<const std::string_view> StarterRouteLines();
std::span<const std::string_view> StarterTrainLines();

}  // namespace scenario

#endif  // SOURCE_STARTER_SOURCE_H_
