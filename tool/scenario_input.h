#ifndef TOOL_SCENARIO_INPUT_H_
#define TOOL_SCENARIO_INPUT_H_

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "model/scenario.h"
#include "tool/plot_command.h"

namespace scenario {

// A scenario to look at: compiled from its two texts, or read from a
// package's binary files.
struct ScenarioInput {
  Scenario s;
  PlanPoints plan;
  std::string title;  // "<route> - treno <number>"
  // Compiled from texts: the texts and every fault they hold.
  bool from_texts = false;
  std::string route_text;
  std::string train_text;
  std::vector<Diagnostic> diagnostics;
};

// Loads what `options` name: the texts, or `from` a package (not both),
// with the texts' faults when `diagnose`. False after telling on `err` why
// nothing can be shown.
bool LoadScenario(const PlotOptions& options, FileSystem& files,
                  ScenarioInput* input, std::ostream& err,
                  bool diagnose = false);

}  // namespace scenario

#endif  // TOOL_SCENARIO_INPUT_H_
