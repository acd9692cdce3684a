#ifndef TOOL_SCENARIO_TOOL_H_
#define TOOL_SCENARIO_TOOL_H_

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

// The language asked for anywhere on the command line (--lang en or
// --lang=en), before it is parsed: Italian unless English is asked.
Language LanguageAsked(const std::vector<std::string>& args);

// Runs `scenario-tool` with `args` (the program name first): diagnostics
// and results to `out`, errors to `err`; `out_is_terminal` allows colour.
// Returns the exit status.
int RunScenarioTool(const std::vector<std::string>& args, FileSystem& files,
                    std::ostream& out, std::ostream& err,
                    bool out_is_terminal = false);

}  // namespace scenario

#endif  // TOOL_SCENARIO_TOOL_H_
