#include "tool/commands/view_command.h"

#include "base/exit_status.h"
#include "messages/messages.h"
#include "tool/common/voice.h"
#include "tool/views/report_page.h"
#include "tool/views/svg_plot.h"

namespace scenario {
namespace {

// Both views load the scenario the same way and write one file whole.
int WriteView(const ViewOptions& options, bool diagnose, ToolMessage written,
              FileSystem& files, std::ostream& out, std::ostream& err,
              auto draw) {
  ScenarioInput input;
  if (!LoadScenario(options, files, &input, err, diagnose)) {
    return kExitFailure;
  }
  Status status = files.Replace(options.output, draw(input));
  if (!status.ok()) {
    Voice::Say(err, MessageFor(status, options.language));
    return kExitFailure;
  }
  out << ToolText(written, options.language, {options.output}) << "\n";
  // Texts with an error fail as check does, though the view is written.
  return input.notice.empty() ? kExitSuccess : kExitError;
}

}  // namespace

int PlotCommand(const ViewOptions& options, FileSystem& files,
                std::ostream& out, std::ostream& err) {
  return WriteView(options, /*diagnose=*/false, ToolMessage::kPlotWritten,
                   files, out, err, [&](const ScenarioInput& input) {
                     return PlotSvg(input.s, input.plan, input.title,
                                    options.language, input.notice);
                   });
}

int ReportCommand(const ViewOptions& options, FileSystem& files,
                  std::ostream& out, std::ostream& err) {
  return WriteView(options, /*diagnose=*/true, ToolMessage::kReportWritten,
                   files, out, err, [&](const ScenarioInput& input) {
                     return ReportPage(input, options.route, options.train,
                                       options.language);
                   });
}

}  // namespace scenario
