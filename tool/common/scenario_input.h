#ifndef TOOL_COMMON_SCENARIO_INPUT_H_
#define TOOL_COMMON_SCENARIO_INPUT_H_

#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "messages/messages.h"
#include "model/scenario.h"
#include "tool/common/plan_sketch.h"

namespace scenario {

// What `plot` and `report` are asked: a scenario by its two texts, or by a
// package's folder, and the file to draw it into.
struct ViewOptions {
  std::string route = {};  // the source texts, or
  std::string train = {};
  std::string from = {};  // a package's folder
  std::string output = {};
  std::string route_name = {};
  std::string train_number = {};
  Language language = Language::kItalian;
};

// A scenario to look at: compiled from its two texts, or read from a
// package's binary files.
struct ScenarioInput {
  Scenario s;
  PlanSketch plan;    // what the views take of its plan
  std::string title;  // "<route> - treno <number>"
  // Compiled from texts: the texts and every fault they hold.
  bool from_texts = false;
  std::string route_text;
  std::string train_text;
  std::vector<Diagnostic> diagnostics;
  // What the compile of the texts left out and why, for the top of a
  // view; "" when it compiled whole.
  std::string notice;
};

// Loads what `options` name: the texts, or `from` a package (not both),
// with the texts' faults when `diagnose`. False after telling on `err` why
// nothing can be shown.
bool LoadScenario(const ViewOptions& options, FileSystem& files,
                  ScenarioInput* input, std::ostream& err,
                  bool diagnose = false);

}  // namespace scenario

#endif  // TOOL_COMMON_SCENARIO_INPUT_H_
