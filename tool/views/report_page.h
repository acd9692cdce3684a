#ifndef TOOL_VIEWS_REPORT_PAGE_H_
#define TOOL_VIEWS_REPORT_PAGE_H_

#include <string>

#include "messages/messages.h"
#include "tool/common/scenario_input.h"

namespace scenario {

// The whole scenario on one self-contained HTML page: the plot, and above
// it a profile chart to zoom, pan and read with a cursor, every object
// with a tooltip; tables of stations, signals, slow-downs, speed boards and
// signboards, each row leading to its place; the diagnostics, each leading
// to its line in the source texts shown below. Scripts, styles and data
// are inline: nothing is fetched.
std::string ReportPage(const ScenarioInput& input,
                       const std::string& route_path,
                       const std::string& train_path, Language language);

}  // namespace scenario

#endif  // TOOL_VIEWS_REPORT_PAGE_H_
