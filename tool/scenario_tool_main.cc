// scenario-tool: compiles and checks any scenario's source texts.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <new>

#include "base/exit_status.h"
#include "base/file_system.h"
#include "messages/messages.h"
#include "tool/common/voice.h"
#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit fails as a write, leaving no
  // temporary file, instead of killing the tool.
  std::signal(SIGXFSZ, SIG_IGN);
  using scenario::Language;
  using scenario::Status;
  scenario::DiskFileSystem disk;
  int status = scenario::kExitFailure;
  try {
    status = scenario::RunScenarioTool(
        std::vector<std::string>(argv, argv + argc), disk, std::cout, std::cerr,
        ::isatty(STDOUT_FILENO) == 1);
  } catch (const std::bad_alloc&) {
    std::cout.flush();
    scenario::Voice::Say(std::cerr, scenario::MessageFor(Status::OutOfMemory(),
                                                         Language::kEnglish));
    return scenario::kExitFailure;
  }
  // What went to standard output counts only if it arrived: a full disk or
  // a closed pipe is a failure, told once.
  errno = 0;
  std::cout.flush();
  if (!std::cout) {
    scenario::Voice::Say(
        std::cerr,
        scenario::MessageFor(Status::FileError(Status::Operation::kWrite,
                                               scenario::kStandardOutput,
                                               errno != 0 ? errno : EIO),
                             Language::kEnglish));
    return scenario::kExitFailure;
  }
  return status;
}
