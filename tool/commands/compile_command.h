#ifndef TOOL_COMMANDS_COMPILE_COMMAND_H_
#define TOOL_COMMANDS_COMPILE_COMMAND_H_

#include <ostream>
#include <string>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

struct CompileOptions {
  std::string route;
  std::string train;
  std::string output = ".";
  std::string route_name;    // "" : from the route text's file name
  std::string train_number;  // "" : from the train text's file name
  bool no_plan = false;
  bool write = true;  // false for `check`
  Language language = Language::kItalian;
  bool json = false;
  bool warnings_fail = false;
  bool color = false;  // the severity in colour, for a terminal
};

// `compile` and `check`: compiles an author's two texts, leaving them as
// they are, reports every diagnostic, and writes the binary files into the
// output folder unless checking. Returns the tool's exit status.
int CompileCommand(const CompileOptions& options, FileSystem& files,
                   std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_COMPILE_COMMAND_H_
