#include "tool/commands/package_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/run.h"
#include "base/memory_file_system.h"

namespace scenario {
namespace {

class Silent : public Window {
  void ShowWaiting() override {}
  void ShowMessage(std::string_view) override {}
};

TEST(PackageCommandTest, WritesWhatTheProgramWrites) {
  MemoryFileSystem program;
  Silent window;
  ASSERT_EQ(scenario::Run(window, program, "w"), kExitSuccess);
  MemoryFileSystem files;
  std::ostringstream out, err;
  ASSERT_EQ(PackageCommand({.folder = "w"}, files, out, err), kExitSuccess)
      << err.str();
  EXPECT_EQ(files.files, program.files);
  EXPECT_EQ(files.files.size(), 6u);
}

// The run's own failures are told in the language asked, with the run's
// status.
TEST(PackageCommandTest, TellsTheRunsFailureInTheLanguageAsked) {
  for (auto [language, expected] :
       {std::pair{Language::kItalian,
                  "scenario-tool: Impossibile scrivere "
                  "w/Valdorsio-Ronsale_37264_note.txt: Permesso negato "
                  "(errore 13)\n"},
        std::pair{Language::kEnglish,
                  "scenario-tool: cannot write "
                  "w/Valdorsio-Ronsale_37264_note.txt: Permission denied "
                  "(errno 13)\n"}}) {
    MemoryFileSystem files;
    files.read_only.insert("w/Valdorsio-Ronsale_37264_note.txt");
    std::ostringstream out, err;
    EXPECT_EQ(
        PackageCommand({.folder = "w", .language = language}, files, out, err),
        kExitFailure);
    EXPECT_EQ(err.str(), expected);
  }
}

}  // namespace
}  // namespace scenario
