#ifndef TOOL_VIEWS_SVG_PLOT_H_
#define TOOL_VIEWS_SVG_PLOT_H_

#include <string>

#include "messages/messages.h"
#include "model/scenario.h"
#include "tool/common/plan_sketch.h"

namespace scenario {

// One self-contained SVG of a compiled scenario: the plan view of the
// track, north up, with a scale; below it strip charts of gradient, line
// speed and adhesion against the progressive, sharing one axis, with the
// stations' names and stop zones, the signals, the slow-downs, the speed
// boards and the signboards marked. The same scenario gives the same bytes.
// `plan` is what the drawing takes of the scenario's plan; a `notice` (what a
// compile with an error left out) stands under the title.
std::string PlotSvg(const Scenario& s, const PlanSketch& plan,
                    const std::string& title,
                    Language language = Language::kItalian,
                    const std::string& notice = {});

}  // namespace scenario

#endif  // TOOL_VIEWS_SVG_PLOT_H_
