#ifndef SOURCE_STARTER_TEXTS_H_
#define SOURCE_STARTER_TEXTS_H_

#include <string_view>
#include <vector>

namespace scenario {

// Texts for an author to start from: the embedded route and train, with a
// comment line before each section saying what its lines hold. A comment
// is a key item holding "-", without a comma: the compile passes over it,
// and the texts compile to the embedded scenario's bytes.
std::vector<std::string_view> StarterRouteLines();
std::vector<std::string_view> StarterTrainLines();

}  // namespace scenario

#endif  // SOURCE_STARTER_TEXTS_H_
