#ifndef TOOL_COMMANDS_PACKAGE_COMMAND_H_
#define TOOL_COMMANDS_PACKAGE_COMMAND_H_

#include <ostream>
#include <string>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

struct PackageOptions {
  std::string folder = ".";
  Language language = Language::kItalian;
};

// `package`: the embedded scenario's whole package in a folder of one's
// choice, as scenario-writer writes it next to itself. Returns the exit
// status.
int PackageCommand(const PackageOptions& options, FileSystem& files,
                   std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_PACKAGE_COMMAND_H_
