// make_manuals: writes scenario-tool's manual page and shell completions,
// from the tool's own command line, and the source texts' reference and
// editor grammar, from the compiler's tables, into a folder. Run by the
// build.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "tool/command_line.h"
#include "tool/manuals/editor_grammar.h"
#include "tool/manuals/format_reference.h"
#include "tool/manuals/manual.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_manuals FOLDER\n";
    return 2;
  }
  CLI::App app;
  scenario::ToolOptions options;
  scenario::DefineCommandLine(app, options);
  const std::string folder = argv[1];
  const struct {
    const char* name;
    std::string text;
  } files[] = {
      {"scenario-tool.1", scenario::ToolManualPage(app)},
      {"scenario-tool.bash",
       scenario::ToolCompletion(app, scenario::Shell::kBash)},
      {"_scenario-tool", scenario::ToolCompletion(app, scenario::Shell::kZsh)},
      {"scenario-tool.fish",
       scenario::ToolCompletion(app, scenario::Shell::kFish)},
      {"format.md", scenario::FormatReference()},
      {"scenario.tmLanguage.json", scenario::TextMateGrammar()},
  };
  for (const auto& file : files) {
    std::ofstream out(folder + "/" + file.name, std::ios::binary);
    out << file.text;
    if (!out.flush()) {
      std::perror(file.name);
      return 2;
    }
  }
  return 0;
}
