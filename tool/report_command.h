#ifndef TOOL_REPORT_COMMAND_H_
#define TOOL_REPORT_COMMAND_H_

#include <ostream>

#include "base/file_system.h"
#include "tool/plot_command.h"

namespace scenario {

// `report`: the whole scenario on one HTML page, compiled from its texts
// (with their diagnostics and the texts themselves) or read from a
// package. Takes the plot's options. Returns the tool's exit status.
int ReportCommand(const PlotOptions& options, FileSystem& files,
                  std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_REPORT_COMMAND_H_
