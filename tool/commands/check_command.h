#ifndef TOOL_COMMANDS_CHECK_COMMAND_H_
#define TOOL_COMMANDS_CHECK_COMMAND_H_

#include <ostream>

#include "base/file_system.h"
#include "tool/common/compile_report.h"

namespace scenario {

// `check`: compiles an author's two texts as `compile` does and reports
// every diagnostic, writing nothing. Returns the exit status.
int CheckCommand(const CompileOptions& options, FileSystem& files,
                 std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_CHECK_COMMAND_H_
