#include "tool/commands/check_command.h"

#include "base/exit_status.h"

namespace scenario {

int CheckCommand(const CompileOptions& options, FileSystem& files,
                 std::ostream& out, std::ostream& err) {
  const Voice voice{"check", options.language, options.json};
  CompileReport report;
  Identity identity;
  if (!ReadAuthorTexts(options, voice, files, out, err, &report, &identity)) {
    return kExitFailure;
  }
  (void)CompileForReport(options, identity, &report);
  return Tell(report, options, out);
}

}  // namespace scenario
