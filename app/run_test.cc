#include "app/run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
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

  std::string Contents(const std::string& name) {
    std::ifstream in(folder_ / name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  fs::path folder_;
};

TEST_F(ProgramTest, ShowsTheConsoleStandInAndCompletes) {
  std::string err;
  EXPECT_EQ(RunProgram(&err), kExitComplete) << err;
  EXPECT_EQ(err, "Attendere\n");
}

TEST_F(ProgramTest, LeavesThePackageAndASecondRunReplacesIt) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitComplete) << err;
  const std::vector<std::pair<std::string, size_t>> expected = {
      {"Valdorsio-Ronsale_37264-.txt", 2975},
      {"Valdorsio-Ronsale_37264_note.txt", 0},  // credits are ours
      {"Valdorsio-Ronsale_37264_rallentamenti.txt", 3353},
      {"Valdorsio-Ronsale_37264_scheda_treno.txt", 2804},
      {"Valdorsio-Ronsale_linea.txt", 4236},
  };
  std::vector<std::string> names;
  std::map<std::string, std::string> first;
  for (const auto& [name, size] : expected) {
    names.push_back(name);
    first[name] = Contents(name);
    if (size) {
      EXPECT_EQ(first[name].size(), size) << name;
    }
  }
  EXPECT_EQ(Listing(), names);

  ASSERT_EQ(RunProgram(&err), kExitComplete) << err;
  EXPECT_EQ(Listing(), names);
  for (const auto& name : names) EXPECT_EQ(Contents(name), first[name]) << name;
}

TEST_F(ProgramTest, AFileThatCannotBeReplacedEndsTheRunAtItsStep) {
  // A folder in the way of the notes: the source texts before it are
  // written, the documents after it are not.
  const fs::path notes = folder_ / "Valdorsio-Ronsale_37264_note.txt";
  fs::create_directory(notes);
  std::string err;
  EXPECT_EQ(RunProgram(&err), kExitFailure);
  EXPECT_NE(err.find("Impossibile scrivere " + notes.string() + ": "),
            std::string::npos)
      << err;
  EXPECT_EQ(Listing(), (std::vector<std::string>{
                           "Valdorsio-Ronsale_37264-.txt",
                           "Valdorsio-Ronsale_37264_note.txt",
                           "Valdorsio-Ronsale_linea.txt"}));
  EXPECT_EQ(Contents("Valdorsio-Ronsale_linea.txt").size(), 4236u);
}

}  // namespace
}  // namespace scenario
