// scenario-writer: writes the embedded scenario's package next to itself.
#include <cstdio>
#include <new>
#include <string>
#include <string_view>

#include "app/run.h"
#include "app/window.h"
#include "base/file_names.h"
#include "base/file_system.h"
#include "base/platform.h"
#include "messages/messages.h"

int main(int argc, char** argv) {
  scenario::PrepareProcess();
  // Help and version are answered before anything is shown or written;
  // any other argument is ignored, as the program always has.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      for (auto language :
           {scenario::Language::kItalian, scenario::Language::kEnglish}) {
        std::fputs(
            scenario::ToolText(scenario::ToolMessage::kWriterHelp, language)
                .c_str(),
            stdout);
      }
      return std::fflush(stdout) == 0 ? 0 : scenario::kExitFailure;
    }
    if (argument == "--version") {
      std::puts("scenario-writer " SCENARIO_VERSION);
      return std::fflush(stdout) == 0 ? 0 : scenario::kExitFailure;
    }
  }
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
