#ifndef TOOL_COMMANDS_DECOMPILE_COMMAND_H_
#define TOOL_COMMANDS_DECOMPILE_COMMAND_H_

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

struct DecompileOptions {
  // A package's folder, or its cell file, train file and (optional) plan
  // file.
  std::vector<std::string> inputs;
  std::string output = ".";
  std::string route_name;  // "" : from the file names or the record bank
  std::string train_number;
  Language language = Language::kItalian;
};

// `decompile`: writes a package back as its two source texts and checks
// that they compile to the same bytes; where they do not, says where and
// exits 1, the texts written all the same with a comment at the doubtful
// lines. Never replaces a file. Returns the tool's exit status.
int DecompileCommand(const DecompileOptions& options, FileSystem& files,
                     std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_DECOMPILE_COMMAND_H_
