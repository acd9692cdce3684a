// scenario-writer: writes the embedded scenario's package next to itself.
#include <csignal>
#include <new>
#include <string>

#include "app/run.h"
#include "app/window.h"
#include "base/file_names.h"
#include "base/file_system.h"
#include "messages/messages.h"

int main() {
  // A write beyond the file size limit must fail as a write, so that the
  // temporary file is removed, instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);

  std::unique_ptr<scenario::Window> window = scenario::OpenWindow();
  std::string folder;
  scenario::Status status = scenario::ProgramFolder(&folder);
  if (!status.ok()) {
    window->ShowMessage(
        scenario::MessageFor(status, scenario::Language::kItalian));
    return scenario::kExitFailure;
  }
  scenario::DiskFileSystem disk;
  try {
    return scenario::Run(*window, disk, folder);
  } catch (const std::bad_alloc&) {
    window->ShowMessage(scenario::MessageFor(scenario::Status::OutOfMemory(),
                                             scenario::Language::kItalian));
    return scenario::kExitFailure;
  }
}
