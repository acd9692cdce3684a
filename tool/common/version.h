#ifndef TOOL_COMMON_VERSION_H_
#define TOOL_COMMON_VERSION_H_

namespace scenario {

// What `scenario-tool --version` prints: the version the package is built as.
inline constexpr char kToolVersion[] = "scenario-tool " SCENARIO_VERSION;

}  // namespace scenario

#endif  // TOOL_COMMON_VERSION_H_
