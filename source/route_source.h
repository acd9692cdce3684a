#ifndef SOURCE_ROUTE_SOURCE_H_
#define SOURCE_ROUTE_SOURCE_H_

#include <span>
#include <string_view>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"

namespace scenario {

// The route "Valdorsio-Ronsale" as its source text: general values, curves,
// gradients, mountain stretches (none), speed boards and signboards.
// The line table, closed by the end-of-list marker.
std::span<const std::string_view> RouteSourceLines();

// Writes the route source text that the compile reads back.
Status dati_linea(FileSystem& files, const FileNames& names);

}  // namespace scenario

#endif  // SOURCE_ROUTE_SOURCE_H_
