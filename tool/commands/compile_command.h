#ifndef TOOL_COMMANDS_COMPILE_COMMAND_H_
#define TOOL_COMMANDS_COMPILE_COMMAND_H_

#include <ostream>

#include "base/file_system.h"
#include "tool/common/compile_report.h"

namespace scenario {

// `compile`: compiles an author's two texts, leaving them as they are,
// reports every diagnostic, and writes the binary files into the output
// folder, with --documents the driver's documents too; `documents` writes
// the documents alone. Returns the exit status.
int CompileCommand(const CompileOptions& options, FileSystem& files,
                   std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_COMPILE_COMMAND_H_
