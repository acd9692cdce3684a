#include "tool/plot_command.h"

#include "messages/messages.h"
#include "tool/scenario_input.h"
#include "tool/scenario_tool.h"
#include "tool/svg_plot.h"
#include "tool/voice.h"

namespace scenario {

int PlotCommand(const PlotOptions& options, FileSystem& files,
                std::ostream& out, std::ostream& err) {
  ScenarioInput input;
  if (!LoadScenario(options, files, &input, err)) return kToolFailed;
  Status status = files.Replace(
      options.output,
      PlotSvg(input.s, input.plan, input.title, options.language));
  if (!status.ok()) {
    Voice::Say(err, MessageFor(status, options.language));
    return kToolFailed;
  }
  out << ToolText(ToolMessage::kPlotWritten, options.language, {options.output})
      << "\n";
  return kToolClean;
}

}  // namespace scenario
