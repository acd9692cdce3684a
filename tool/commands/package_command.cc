#include "tool/commands/package_command.h"

#include "app/run.h"
#include "base/exit_status.h"
#include "tool/common/voice.h"

namespace scenario {
namespace {

// The program's waiting window has no place in a tool: messages go to the
// error stream, nothing else is shown.
class ToolWindow : public Window {
 public:
  explicit ToolWindow(std::ostream& err) : err_(err) {}
  void ShowWaiting() override {}
  void ShowMessage(std::string_view message) override {
    Voice::Say(err_, std::string(message));
  }

 private:
  std::ostream& err_;
};

}  // namespace

int PackageCommand(const PackageOptions& options, FileSystem& files,
                   std::ostream& out, std::ostream& err) {
  const std::string& folder = options.folder;
  const Language language = options.language;
  Status status = files.CreateFolders(folder);
  const Voice voice{"package", language};
  if (!status.ok()) return voice.Fail(out, err, MessageFor(status, language));
  ToolWindow window(err);
  // The run has told what went wrong; its status is the command's.
  if (const int run = Run(window, files, folder, language);
      run != kExitSuccess) {
    return run;
  }
  out << ToolText(ToolMessage::kPackageWritten, language, {folder}) << "\n";
  return kExitSuccess;
}

}  // namespace scenario
