#ifndef TOOL_SVG_PLOT_H_
#define TOOL_SVG_PLOT_H_

#include <string>

#include "messages/messages.h"
#include "model/scenario.h"

namespace scenario {

// One self-contained SVG of a compiled scenario: the plan view of the
// track, north up, with a scale; below it strip charts of gradient, line
// speed and adhesion against the progressive, sharing one axis, with the
// stations' names and stop zones, the signals, the slow-downs, the speed
// boards and the signboards marked. The same scenario gives the same bytes.
// `plan` holds the scenario's plan points.
// Text in UTF-8: our own strings are, and a source text's single bytes
// that do not form UTF-8 are read as Latin-1.
std::string Utf8Text(const std::string& text);
// The same for XML and HTML, markup characters escaped and control
// characters blanked, so the document stays well-formed.
std::string XmlText(const std::string& text);

std::string PlotSvg(const Scenario& s, const PlanPoints& plan,
                    const std::string& title,
                    Language language = Language::kItalian);

}  // namespace scenario

#endif  // TOOL_SVG_PLOT_H_
