#include "tool/report_command.h"

#include "messages/messages.h"
#include "tool/report_page.h"
#include "tool/scenario_input.h"
#include "tool/scenario_tool.h"
#include "tool/voice.h"

namespace scenario {

int ReportCommand(const PlotOptions& options, FileSystem& files,
                  std::ostream& out, std::ostream& err) {
  ScenarioInput input;
  if (!LoadScenario(options, files, &input, err, /*diagnose=*/true)) {
    return kToolFailed;
  }
  Status status = files.Replace(
      options.output,
      ReportPage(input, options.route, options.train, options.language));
  if (!status.ok()) {
    Voice::Say(err, MessageFor(status, options.language));
    return kToolFailed;
  }
  out << ToolText(ToolMessage::kReportWritten, options.language,
                  {options.output})
      << "\n";
  return kToolClean;
}

}  // namespace scenario
