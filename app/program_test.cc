// The program as a user starts it, on Linux: a process in a folder of its
// own, with the faults only a process meets.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/run.h"
#include "base/exit_status.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

constexpr char kSetpriv[] = "/usr/bin/setpriv";

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
  // How the program is started: as an unprivileged user, or with a limit
  // on the size of the files it may write.
  struct Start {
    bool unprivileged = false;
    rlim_t file_size_limit = RLIM_INFINITY;
    std::vector<std::string> arguments = {};
    std::string out = "/dev/null";  // where standard output goes
  };

  int RunProgram(std::string* err) { return RunProgram(err, Start{}); }
  int RunProgram(std::string* err, Start start) {
    const fs::path err_path = folder_.string() + ".stderr";
    const pid_t pid = StartProgram(err_path, start);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::ifstream in(err_path);
    std::stringstream text;
    text << in.rdbuf();
    *err = text.str();
    fs::remove(err_path);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Starts the program and returns at once, with its process id.
  pid_t StartProgram(const fs::path& err_path) {
    return StartProgram(err_path, Start{});
  }
  pid_t StartProgram(const fs::path& err_path, Start start) {
    pid_t pid = ::fork();
    if (pid == 0) {
      ::unsetenv("DISPLAY");
      if (!std::freopen("/dev/null", "r", stdin) ||
          !std::freopen(err_path.c_str(), "w", stderr) ||
          !std::freopen(start.out.c_str(), "w", stdout)) {
        ::_exit(127);
      }
      const rlimit limit = {start.file_size_limit, start.file_size_limit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      const std::string program = (folder_ / "scenario-writer").string();
      if (start.unprivileged) {
        ::execl(kSetpriv, kSetpriv, "--reuid=65534", "--regid=65534",
                "--clear-groups", program.c_str(), nullptr);
      } else {
        std::vector<char*> argv = {const_cast<char*>(program.c_str())};
        for (const std::string& a : start.arguments) {
          argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
      }
      ::_exit(127);
    }
    return pid;
  }
  static int ExitStatusOf(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::map<std::string, std::string> Package() {
    std::map<std::string, std::string> package;
    for (const std::string& name : Listing()) package[name] = Contents(name);
    return package;
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
  EXPECT_EQ(RunProgram(&err), kExitSuccess) << err;
  EXPECT_EQ(err, "Attendere\n");
}

TEST_F(ProgramTest, HelpAndVersionWriteNothingAndOtherArgumentsAreIgnored) {
  const std::string out = folder_.string() + ".stdout";
  for (const char* asked : {"--help", "--version"}) {
    std::string err;
    EXPECT_EQ(RunProgram(&err, {.arguments = {asked}, .out = out}), 0);
    EXPECT_EQ(Listing(), std::vector<std::string>{}) << asked;
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("scenario-writer"), std::string::npos);
  }
  fs::remove(out);
  std::string err;
  EXPECT_EQ(RunProgram(&err, {.arguments = {"--anything"}}), kExitSuccess);
  EXPECT_EQ(Listing().size(), 6u);
}

TEST_F(ProgramTest, LeavesThePackageAndASecondRunReplacesIt) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  // The source texts are gone; the plan holds 74001 points a coordinate:
  // two integers, reals, and two empty ones.
  const std::vector<std::pair<std::string, size_t>> expected = {
      {"Valdorsio-Ronsale_37264.dat", 15 * 1481},
      {"Valdorsio-Ronsale_37264.sim", 0},
      {"Valdorsio-Ronsale_37264_note.txt", 0},  // credits are ours
      {"Valdorsio-Ronsale_37264_rallentamenti.txt", 3353},
      {"Valdorsio-Ronsale_37264_scheda_treno.txt", 2804},
      {"Valdorsio-Ronsale_linea.dat", 2 * (2 * 4 + 73997 * 10 + 2 * 2)},
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

  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  EXPECT_EQ(Listing(), names);
  for (const auto& name : names) EXPECT_EQ(Contents(name), first[name]) << name;
}

// Little-endian numbers read back from a file's bytes.
int Integer16(const std::string& bytes, size_t at) {
  return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) |
                              static_cast<uint8_t>(bytes[at + 1]) << 8);
}
int Long32(const std::string& bytes, size_t at) {
  return static_cast<int32_t>((Integer16(bytes, at) & 0xFFFF) |
                              Integer16(bytes, at + 2) << 16);
}

TEST_F(ProgramTest, TheFilesCarryTheFormatConstantsAndMatchingCodes) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  const std::string cells = Contents("Valdorsio-Ronsale_37264.dat");
  ASSERT_GE(cells.size(), 20u);
  EXPECT_EQ(Integer16(cells, 16), 5121);
  const int og = Integer16(cells, 18);

  // Walk the bank's records to slot 85: 34 bytes plus the name each.
  const std::string bank = Contents("Valdorsio-Ronsale_37264.sim");
  size_t at = 0;
  for (int slot = 0; slot < 85; ++slot) at += 34 + Integer16(bank, at + 14);
  const int name_length = Integer16(bank, at + 14);
  EXPECT_EQ(bank.substr(at + 16, name_length), "Valdorsio-Ronsale");
  EXPECT_EQ(Integer16(bank, at + 16 + name_length), 610);
  const int st = Long32(bank, at + 30 + name_length);

  // Both codes come from "37264" and "Valdorsio-Ronsale".
  std::string w = "37264valdorsio-ronsaleaab";
  int og_expected = 0;
  int st_expected = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    og_expected += static_cast<uint8_t>(w[i]);
    st_expected += static_cast<int>(i + 1) * static_cast<uint8_t>(w[i]);
  }
  EXPECT_EQ(og, og_expected);
  EXPECT_EQ(st, st_expected);
}

TEST_F(ProgramTest, AFileThatCannotBeReplacedEndsTheRunAtItsStep) {
  // A folder in the way of the notes: the documents after it are not
  // written, nothing is compiled, and the source texts written before it
  // do not stay behind.
  const fs::path notes = folder_ / "Valdorsio-Ronsale_37264_note.txt";
  fs::create_directory(notes);
  std::string err;
  EXPECT_EQ(RunProgram(&err), kExitFailure);
  EXPECT_NE(err.find("Impossibile scrivere " + notes.string() + ": "),
            std::string::npos)
      << err;
  EXPECT_EQ(Listing(),
            (std::vector<std::string>{"Valdorsio-Ronsale_37264_note.txt"}));
}

TEST_F(ProgramTest, AFailedBinaryFileKeepsTheOldPackageWhole) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  const std::string old_cells = Contents("Valdorsio-Ronsale_37264.dat");
  // An old plan that differs from the new one.
  std::ofstream(folder_ / "Valdorsio-Ronsale_linea.dat") << "old plan";
  fs::remove(folder_ / "Valdorsio-Ronsale_37264.sim");
  fs::create_directory(folder_ / "Valdorsio-Ronsale_37264.sim");
  EXPECT_EQ(RunProgram(&err), kExitFailure);
  EXPECT_NE(err.find("Valdorsio-Ronsale_37264.sim"), std::string::npos) << err;
  // Neither the plan before it nor the cells after it are replaced.
  EXPECT_TRUE(Contents("Valdorsio-Ronsale_linea.dat") == "old plan");
  EXPECT_TRUE(Contents("Valdorsio-Ronsale_37264.dat") == old_cells);
  EXPECT_EQ(Listing().size(), 6u);  // nothing temporary left behind
}

TEST_F(ProgramTest, AFolderThatCannotBeWritten) {
  if (::geteuid() != 0 || !fs::exists(kSetpriv)) {
    GTEST_SKIP() << "needs root and setpriv to run as another user";
  }
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  std::map<std::string, std::string> before;
  for (const std::string& name : Listing()) before[name] = Contents(name);
  // Readable and searchable by everyone, writable by root alone.
  fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read |
                               fs::perms::others_exec);
  EXPECT_EQ(RunProgram(&err, {.unprivileged = true}), kExitFailure);
  EXPECT_NE(err.find("Impossibile scrivere " +
                     (folder_ / "Valdorsio-Ronsale_linea.txt").string() +
                     ": Permesso negato (errore 13)"),
            std::string::npos)
      << err;
  std::map<std::string, std::string> after;
  for (const std::string& name : Listing()) after[name] = Contents(name);
  EXPECT_EQ(after, before);
}

TEST_F(ProgramTest, AWriteThatFailsHalfWay) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  std::map<std::string, std::string> before;
  for (const std::string& name : Listing()) before[name] = Contents(name);
  // Room for the texts, not for the 1.5 MB plan: the write stops part way.
  EXPECT_EQ(RunProgram(&err, {.file_size_limit = 200000}), kExitFailure);
  EXPECT_NE(err.find("Impossibile scrivere " +
                     (folder_ / "Valdorsio-Ronsale_linea.dat").string() +
                     ": File troppo grande (errore 27)"),
            std::string::npos)
      << err;
  std::map<std::string, std::string> after;
  for (const std::string& name : Listing()) after[name] = Contents(name);
  EXPECT_EQ(after, before);  // the old package whole, nothing temporary
}

// Two runs started together in one folder: the second waits for the
// first, and both leave the whole package.
TEST_F(ProgramTest, TwoRunsAtOnceInOneFolder) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  const auto expected = Package();
  for (int round = 0; round < 5; ++round) {
    const pid_t one = StartProgram("/dev/null");
    const pid_t two = StartProgram("/dev/null");
    EXPECT_EQ(ExitStatusOf(one), kExitSuccess);
    EXPECT_EQ(ExitStatusOf(two), kExitSuccess);
    EXPECT_TRUE(Package() == expected) << "round " << round;
  }
}

// Runs killed at moments spread over a run leave nothing half-written that
// a complete run does not clear away.
TEST_F(ProgramTest, AKilledRunThenACompleteOne) {
  std::string err;
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  const auto expected = Package();
  for (int delay_us : {500, 2000, 5000, 10000, 20000}) {
    const pid_t pid = StartProgram("/dev/null");
    ::usleep(static_cast<useconds_t>(delay_us));
    ::kill(pid, SIGKILL);
    ExitStatusOf(pid);
  }
  ASSERT_EQ(RunProgram(&err), kExitSuccess) << err;
  EXPECT_TRUE(Package() == expected);
}

}  // namespace
}  // namespace scenario
