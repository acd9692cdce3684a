#include "tool/commands/watch_command.h"

#include <ctime>
#include <memory>
#include <string>

#include "base/exit_status.h"
#include "base/platform.h"
#include "messages/messages.h"
#include "tool/commands/check_command.h"
#include "tool/common/voice.h"

namespace scenario {
namespace {

// The time of day, so that one round is told from the next.
std::string Now() {
  const std::time_t now = std::time(nullptr);
  char text[16] = "";
  if (const std::tm* local = std::localtime(&now)) {
    std::strftime(text, sizeof text, "%H:%M:%S", local);
  }
  return text;
}

}  // namespace

int WatchCommand(const CompileOptions& options, FileSystem& files,
                 std::ostream& out, std::ostream& err) {
  const Voice voice{"watch", options.language};
  std::unique_ptr<SaveWatch> watch;
  if (const int number = WatchSaves({options.route, options.train}, &watch)) {
    return voice.Fail(out, err, ErrnoText(number, options.language));
  }
  CatchInterrupts();
  bool first = true;
  for (bool run = true; !Interrupted(); run = run || watch->Saved(200)) {
    if (!run) continue;
    // A blank line between rounds, each headed with its time.
    if (!first) out << "\n";
    first = false;
    out << ToolText(ToolMessage::kWatchRun, options.language, {Now()}) << "\n";
    (void)(options.write ? CompileCommand(options, files, out, err)
                         : CheckCommand(options, files, out, err));
    out << ToolText(ToolMessage::kWatchWaiting, options.language) << "\n";
    out.flush();
    run = false;
  }
  ReleaseInterrupts();
  // Ended by the user, whatever the last round found.
  return kExitInterrupted;
}

}  // namespace scenario
