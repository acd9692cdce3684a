#include "app/run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/memory_file_system.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

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
        errore(*window, "1250");
      },
      ::testing::ExitedWithCode(kExitNumberedError), "^ Errore n. 1250\n$");
}

// The real program, copied into a fresh folder of its own and run there
// without a display, as a user would start it.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/scenario_writer_test.XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    fs::copy_file(SCENARIO_WRITER_PATH, folder_ / "scenario-writer");
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Runs the program; returns its exit status, standard error in `err`.
  int RunProgram(std::string* err) {
    const fs::path err_path = folder_.string() + ".stderr";
    pid_t pid = ::fork();
    if (pid == 0) {
      ::unsetenv("DISPLAY");
      std::freopen("/dev/null", "r", stdin);
      std::freopen(err_path.c_str(), "w", stderr);
      const std::string program = (folder_ / "scenario-writer").string();
      ::execl(program.c_str(), program.c_str(), nullptr);
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::ifstream in(err_path);
    std::stringstream text;
    text << in.rdbuf();
    *err = text.str();
    fs::remove(err_path);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The files the run left, other than the program itself.
  std::vector<std::string> Listing() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      if (entry.path().filename() != "scenario-writer") {
        names.push_back(entry.path().filename());
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

TEST_F(ProgramTest, ShowsTheConsoleStandInAndCompletes) {
  std::string err;
  EXPECT_EQ(RunProgram(&err), kExitComplete) << err;
  EXPECT_EQ(err.substr(0, 10), "Attendere\n");
}

}  // namespace
}  // namespace scenario
