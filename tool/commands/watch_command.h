#ifndef TOOL_COMMANDS_WATCH_COMMAND_H_
#define TOOL_COMMANDS_WATCH_COMMAND_H_

#include <ostream>

#include "base/file_system.h"
#include "tool/commands/compile_command.h"

namespace scenario {

// `watch`: checks the two texts (or compiles them, given a folder to
// write into) at start and again each time either is saved, printing the
// diagnostics afresh each time; ends on Ctrl-C. Takes the options of
// `check` and `compile`. Returns the tool's exit status.
int WatchCommand(const CompileOptions& options, FileSystem& files,
                 std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_WATCH_COMMAND_H_
