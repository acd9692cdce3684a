#ifndef TOOL_MANUALS_MANUAL_H_
#define TOOL_MANUALS_MANUAL_H_

#include <CLI/CLI.hpp>
#include <string>

namespace scenario {

// scenario-tool's manual page, in roff, and its completion for each shell,
// made from the command line itself: every command and option there is
// documented and completed here, with its description and its choices.
std::string ToolManualPage(CLI::App& app);

enum class Shell { kBash, kZsh, kFish };
std::string ToolCompletion(CLI::App& app, Shell shell);

}  // namespace scenario

#endif  // TOOL_MANUALS_MANUAL_H_
