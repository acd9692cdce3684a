#ifndef APP_RUN_H_
#define APP_RUN_H_

#include <string>
#include <string_view>

#include "app/window.h"
#include "base/exit_status.h"
#include "base/file_names.h"
#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

// The one scenario the program carries.
inline constexpr std::string_view kRouteName = "Valdorsio-Ronsale";
inline constexpr std::string_view kTrainNumber = "37264";

// The program's whole job, in its fixed order: show the waiting window,
// then write the package into `folder`; a failure is told in `language`
// (the program's own is Italian). Returns the exit status.
int Run(Window& window, FileSystem& files, const std::string& folder,
        Language language = Language::kItalian);

// The compile step alone: compiles the two source texts under `names` (deleting
// them) and writes the binary files. Returns the exit status, or ends the
// program through `errore`.
int CompileStep(Window& window, FileSystem& files, const FileNames& names,
                Language language = Language::kItalian);

// Shows " Errore n. " followed by `a` and, once the message is closed,
// returns kExitError: the run ends there, and the program with it. The
// run's caller ends the process, so that a tool running the program's job
// is not ended with it.
[[nodiscard]] int errore(Window& window, const std::string& a);

}  // namespace scenario

#endif  // APP_RUN_H_
