#ifndef TOOL_VIEWS_SVG_PLOT_H_
#define TOOL_VIEWS_SVG_PLOT_H_

#include <string>

#include "messages/messages.h"
#include "model/scenario.h"

namespace scenario {

// One self-contained SVG of a compiled scenario: the plan view of the
// track, north up, with a scale; below it strip charts of gradient, line
// speed and adhesion against the progressive, sharing one axis, with the
// stations' names and stop zones, the signals, the slow-downs, the speed
// boards and the signboards marked. The same scenario gives the same bytes.
// `plan` holds the scenario's plan points; a `notice` (what a compile with
// an error left out) stands under the title.
std::string PlotSvg(const Scenario& s, const PlanPoints& plan,
                    const std::string& title,
                    Language language = Language::kItalian,
                    const std::string& notice = {});

}  // namespace scenario

#endif  // TOOL_VIEWS_SVG_PLOT_H_
