// scenario-tool: compiles and checks any scenario's source texts.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <new>

#include "base/exit_status.h"
#include "base/file_system.h"
#include "base/standard_output.h"
#include "messages/messages.h"
#include "tool/common/voice.h"
#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit fails as a write, leaving no
  // temporary file, instead of killing the tool.
  std::signal(SIGXFSZ, SIG_IGN);
  using scenario::Status;
  const std::vector<std::string> args(argv, argv + argc);
  const scenario::Language language = scenario::LanguageAsked(args);
  scenario::DiskFileSystem disk;
  scenario::StandardOutput standard_output;
  std::ostream out(&standard_output);
  int status = scenario::kExitFailure;
  try {
    status = scenario::RunScenarioTool(args, disk, out, std::cerr,
                                       ::isatty(STDOUT_FILENO) == 1);
  } catch (const std::bad_alloc&) {
    out.flush();
    scenario::Voice::Say(std::cerr,
                         scenario::MessageFor(Status::OutOfMemory(), language));
    return scenario::kExitFailure;
  }
  // What went to standard output counts only if it arrived: a full disk or
  // a closed pipe is a failure, told once, as itself.
  out.flush();
  if (standard_output.error() != 0) {
    scenario::Voice::Say(
        std::cerr,
        scenario::MessageFor(Status::FileError(Status::Operation::kWrite,
                                               scenario::kStandardOutput,
                                               standard_output.error()),
                             language));
    return scenario::kExitFailure;
  }
  return status;
}
