#ifndef TOOL_COMMANDS_VIEW_COMMAND_H_
#define TOOL_COMMANDS_VIEW_COMMAND_H_

#include <ostream>

#include "base/file_system.h"
#include "tool/common/scenario_input.h"

namespace scenario {

// `plot`: draws a scenario, compiled from its texts or read from a
// package's binary files, as one SVG. Returns the exit status.
int PlotCommand(const ViewOptions& options, FileSystem& files,
                std::ostream& out, std::ostream& err);

// `report`: the whole scenario on one HTML page, compiled from its texts
// (with their diagnostics and the texts themselves) or read from a
// package. Returns the exit status.
int ReportCommand(const ViewOptions& options, FileSystem& files,
                  std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_VIEW_COMMAND_H_
