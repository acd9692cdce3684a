#ifndef TOOL_COMMANDS_NEW_COMMAND_H_
#define TOOL_COMMANDS_NEW_COMMAND_H_

#include <ostream>
#include <string>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

struct NewOptions {
  std::string route_name;
  std::string train_number;
  std::string output = ".";
  Language language = Language::kItalian;
  bool embedded = false;  // the embedded scenario's texts, not the starter
};

// `new`: writes a route and a train text to start from under the new
// names, a small scenario (or with `embedded` the embedded one), with a
// comment before each section.
// Never replaces a file: an existing one is named and nothing is written.
// Returns the tool's exit status.
int NewCommand(const NewOptions& options, FileSystem& files, std::ostream& out,
               std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_NEW_COMMAND_H_
