#ifndef TOOL_COMMANDS_DUMP_COMMAND_H_
#define TOOL_COMMANDS_DUMP_COMMAND_H_

#include <ostream>
#include <string>

#include "base/file_names.h"
#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

struct DumpOptions {
  std::string file;
  std::string kind;             // "cells", "train", "plan"; "" : from the name
  std::string format = "text";  // "text", "json", "csv"
  Language language = Language::kItalian;
};

// `dump`: decodes one binary file of a package and prints it as a table,
// JSON or CSV. Returns the tool's exit status.
int DumpCommand(const DumpOptions& options, FileSystem& files,
                std::ostream& out, std::ostream& err);

}  // namespace scenario

#endif  // TOOL_COMMANDS_DUMP_COMMAND_H_
