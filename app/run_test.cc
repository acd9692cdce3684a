#include "app/run.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/memory_file_system.h"
#include "base/text_document.h"
#include "source/route_source.h"
#include "source/train_source.h"

namespace scenario {
namespace {

// Records what the run showed, in place of a real window.
class RecordingWindow : public Window {
 public:
  void ShowWaiting() override { shown.push_back("Attendere"); }
  void ShowMessage(std::string_view message) override {
    shown.emplace_back(message);
  }
  std::vector<std::string> shown;
};

TEST(RunTest, ErroreShowsTheNumberAndEnds) {
  EXPECT_EXIT(
      {
        auto window = OpenConsoleWindow(stderr, stdin, false);
        std::exit(errore(*window, "1250"));
      },
      ::testing::ExitedWithCode(kExitError), "^ Errore n. 1250\n$");
}

// The compile step on texts whose signal sits in cell 1, where the format keeps
// its constant: the number is shown, the run ends there with its status,
// and no binary file is written.
TEST(CompileStepTest, AReservedValueEndsTheRunWithItsNumber) {
  const FileNames names("d", std::string(kRouteName),
                        std::string(kTrainNumber));
  MemoryFileSystem files;
  files.files[names.RouteSource()] =
      "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n[fine]\r\n";
  files.files[names.TrainSource()] =
      "[generale]\r\nsegnale, 0, 1,4,0,0,0,0,0,0,0,0\r\n[fine]\r\n";
  RecordingWindow window;
  EXPECT_EQ(CompileStep(window, files, names), kExitError);
  EXPECT_EQ(window.shown, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_TRUE(files.files.empty());
}

// A source text the run wrote that cannot be read back or deleted ends the
// run as a failed file operation: no package from half the scenario.
TEST(CompileStepTest, ATextThatCannotBeReadOrDeleted) {
  const FileNames names("d", std::string(kRouteName),
                        std::string(kTrainNumber));
  for (const std::string& path : {names.TrainSource(), names.RouteSource()}) {
    for (bool unreadable : {true, false}) {
      SCOPED_TRACE(path + (unreadable ? " unreadable" : " undeletable"));
      MemoryFileSystem files;
      files.files[names.RouteSource()] = EncodeTextDocument(RouteSourceLines());
      files.files[names.TrainSource()] = EncodeTextDocument(TrainSourceLines());
      (unreadable ? files.unreadable : files.read_only).insert(path);
      RecordingWindow window;
      EXPECT_EQ(CompileStep(window, files, names), kExitFailure);
      ASSERT_EQ(window.shown.size(), 1u);
      EXPECT_NE(window.shown[0].find(path), std::string::npos);
      EXPECT_TRUE(files.written.empty());
    }
  }
}

TEST(CompileStepTest, NoCellsEndsWithAMessage) {
  const FileNames names("d", std::string(kRouteName),
                        std::string(kTrainNumber));
  MemoryFileSystem files;  // no source texts at all: code 101
  RecordingWindow window;
  EXPECT_EQ(CompileStep(window, files, names), kExitFailure);
  ASSERT_EQ(window.shown.size(), 1u);
  EXPECT_NE(window.shown[0].find("(codice 101)"), std::string::npos);
  EXPECT_TRUE(files.written.empty());
}

}  // namespace
}  // namespace scenario
