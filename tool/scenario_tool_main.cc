// scenario-tool: compiles and checks any scenario's source texts.
#include <cerrno>
#include <iostream>
#include <new>

#include "base/exit_status.h"
#include "base/file_system.h"
#include "base/platform.h"
#include "base/standard_output.h"
#include "messages/messages.h"
#include "tool/common/voice.h"
#include "tool/scenario_tool.h"

int main(int argc, char** argv) {
  scenario::PrepareProcess();
  using scenario::Status;
  const std::vector<std::string> args = scenario::ProgramArguments(argc, argv);
  const scenario::Language language = scenario::LanguageAsked(args);
  scenario::DiskFileSystem disk;
  scenario::StandardOutput standard_output;
  std::ostream out(&standard_output);
  int status = scenario::kExitFailure;
  try {
    status = scenario::RunScenarioTool(args, disk, out, std::cerr,
                                       scenario::OutputIsTerminal());
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
