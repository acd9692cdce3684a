#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "compiler/compile_for_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// The watch mode, as a process: it checks at start and after each save.
TEST(WatchTest, EachSaveChecksTheTextsAgain) {
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_watch_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "R_linea.txt") << EmbeddedRoute();
  std::ofstream(folder / "R_7-.txt") << EmbeddedTrain();
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[0]);
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    ::execl(SCENARIO_TOOL_PATH, SCENARIO_TOOL_PATH, "watch", "R_linea.txt",
            "R_7-.txt", "--lang", "en", nullptr);
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string output;
  auto wait_for = [&](size_t runs) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      size_t seen = 0;
      for (size_t at = output.find("== waiting"); at != std::string::npos;
           at = output.find("== waiting", at + 1)) {
        ++seen;
      }
      if (seen >= runs) return true;
      char buffer[4096];
      pollfd ready{fds[0], POLLIN, 0};
      if (::poll(&ready, 1, 100) > 0) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) output.append(buffer, static_cast<size_t>(n));
      }
    }
    return false;
  };
  ASSERT_TRUE(wait_for(1)) << output;
  EXPECT_NE(output.find("checked: 0 errors"), std::string::npos);
  std::string faulty = EmbeddedTrain();
  faulty.replace(faulty.find("stazione,    5450"), 17, "stazione,    5475");
  std::ofstream(folder / "R_7-.txt") << faulty;
  ASSERT_TRUE(wait_for(2)) << output;
  EXPECT_NE(output.find("error 8"), std::string::npos);
  std::ofstream(folder / "R_7-.txt") << EmbeddedTrain();
  ASSERT_TRUE(wait_for(3)) << output;
  EXPECT_EQ(output.rfind("checked: 0 errors") > output.find("error 8"), true);
  ::kill(pid, SIGINT);
  int status = 0;
  ::waitpid(pid, &status, 0);
  // Ended by Ctrl-C, as shells count it; each round after a blank line,
  // with its time.
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
  EXPECT_NE(output.find("\n\n== "), std::string::npos) << output;
  EXPECT_NE(output.find(": checking the texts"), std::string::npos) << output;
  ::close(fds[0]);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace scenario
