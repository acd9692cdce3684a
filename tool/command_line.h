#ifndef TOOL_COMMAND_LINE_H_
#define TOOL_COMMAND_LINE_H_

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "messages/messages.h"
#include "tool/commands/compile_command.h"
#include "tool/commands/decompile_command.h"
#include "tool/commands/dump_command.h"
#include "tool/commands/new_command.h"
#include "tool/commands/package_command.h"
#include "tool/commands/view_command.h"

namespace scenario {

// What each command was asked, filled in by parsing.
struct ToolOptions {
  CompileOptions compile;
  CompileOptions documents;              // the driver's documents alone
  CompileOptions check;                  // writes nothing
  CompileOptions watch;                  // writes only when given a folder
  std::optional<Language> lsp_language;  // none: the editor's
  DumpOptions dump;
  ViewOptions plot;
  ViewOptions report;
  PackageOptions package;
  NewOptions new_texts;
  DecompileOptions decompile;
};

// The tool's command line: every command, its arguments, options and
// help, bound to `options`. The manual page and the shell completions are
// made from the same definition, so they cannot drift from it.
// `out_is_terminal` sets the default of `--color`.
void DefineCommandLine(CLI::App& app, ToolOptions& options,
                       bool out_is_terminal = false);

}  // namespace scenario

#endif  // TOOL_COMMAND_LINE_H_
