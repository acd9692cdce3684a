#ifndef TOOL_PLOT_COMMAND_H_
#define TOOL_PLOT_COMMAND_H_

#include <ostream>
#include <string>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

struct PlotOptions {
  std::string route = {};  // the source texts, or
  std::string train = {};
  std::string from = {};  // a package's folder
  std::string output = {};
  std::string route_name = {};
  std::string train_number = {};
  Language language = Language::kItalian;
};

// `plot`: draws a scenario, compiled from its texts or read from a
// package's binary files, as one SVG. Returns the tool's exit status.
int PlotCommand(const PlotOptions& options, FileSystem& files,
                std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_PLOT_COMMAND_H_
