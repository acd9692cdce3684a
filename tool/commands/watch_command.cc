#include "tool/commands/watch_command.h"

#include <memory>
#include <string>

#include "base/exit_status.h"
#include "base/platform.h"
#include "messages/messages.h"
#include "tool/commands/check_command.h"
#include "tool/common/voice.h"

namespace scenario {

int WatchCommand(const CompileOptions& options, FileSystem& files,
                 std::ostream& out, std::ostream& err) {
  const Voice voice{"watch", options.language};
  std::unique_ptr<SaveWatch> watch;
  if (const int number = WatchSaves({options.route, options.train}, &watch)) {
    return voice.Fail(out, err, ErrnoText(number, options.language));
  }
  CatchInterrupts();
  int status = kExitSuccess;
  for (bool run = true; !Interrupted(); run = run || watch->Saved(200)) {
    if (!run) continue;
    out << ToolText(ToolMessage::kWatchRun, options.language) << "\n";
    status = options.write ? CompileCommand(options, files, out, err)
                           : CheckCommand(options, files, out, err);
    out << ToolText(ToolMessage::kWatchWaiting, options.language) << "\n";
    out.flush();
    run = false;
  }
  ReleaseInterrupts();
  return status;
}

}  // namespace scenario
