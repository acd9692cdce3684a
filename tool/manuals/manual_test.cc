#include "tool/manuals/manual.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "messages/messages.h"
#include "tool/command_line.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class ManualTest : public ::testing::Test {
 protected:
  void SetUp() override { DefineCommandLine(app_, options_); }

  // Writes `text` to a file and runs `command` on it; its standard error
  // in `err`, its exit status returned; -1 when the program is missing.
  int RunOn(const std::string& text, const std::string& program,
            const std::string& arguments, std::string* err) {
    if (std::system(("command -v " + program + " > /dev/null").c_str()) != 0) {
      return -1;
    }
    // One file per program and process: tests run side by side.
    const fs::path file =
        fs::temp_directory_path() /
        ("scenario_manual_test." + program + "." + std::to_string(::getpid()));
    std::ofstream(file) << text;
    const fs::path errors = file.string() + ".err";
    const int status =
        std::system((program + " " + arguments + " " + file.string() +
                     " > /dev/null 2> " + errors.string())
                        .c_str());
    std::ifstream in(errors);
    err->assign(std::istreambuf_iterator<char>(in), {});
    fs::remove(file);
    fs::remove(errors);
    return WEXITSTATUS(status);
  }

  CLI::App app_;
  ToolOptions options_;
};

// roff writes "--x" as "\-\-x".
std::string InRoff(std::string text) {
  std::string out;
  for (char c : text) out += c == '-' ? std::string("\\-") : std::string(1, c);
  return out;
}

TEST_F(ManualTest, ThePageHasEveryCommandOptionAndCodeAndRendersCleanly) {
  const std::string page = ToolManualPage(app_);
  for (CLI::App* command : app_.get_subcommands({})) {
    EXPECT_NE(page.find(".SS " + command->get_name()), std::string::npos)
        << command->get_name();
    for (CLI::Option* option : command->get_options({})) {
      for (const std::string& name : option->get_lnames()) {
        EXPECT_NE(page.find(InRoff("--" + name)), std::string::npos) << name;
      }
    }
  }
  for (const CodeSummary& code : CodeSummaries(Language::kEnglish)) {
    EXPECT_NE(page.find(".B " + std::to_string(code.code) + "\n"),
              std::string::npos)
        << code.code;
  }
  std::string err;
  const int status = RunOn(page, "man", "--warnings -l", &err);
  if (status == -1) GTEST_SKIP() << "man is not installed";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(err, "");
}

TEST_F(ManualTest, EveryShellReadsItsCompletionOfEveryCommand) {
  const struct {
    Shell shell;
    const char* program;
    const char* check;  // reads without running
  } shells[] = {{Shell::kBash, "bash", "-n"},
                {Shell::kZsh, "zsh", "-n"},
                {Shell::kFish, "fish", "--no-execute"}};
  for (const auto& s : shells) {
    const std::string completion = ToolCompletion(app_, s.shell);
    for (CLI::App* command : app_.get_subcommands({})) {
      EXPECT_NE(completion.find(command->get_name()), std::string::npos)
          << s.program << " " << command->get_name();
    }
    EXPECT_NE(completion.find("lang"), std::string::npos) << s.program;
    std::string err;
    const int status = RunOn(completion, s.program, s.check, &err);
    if (status == -1) continue;  // that shell is not installed
    EXPECT_EQ(status, 0) << s.program << ": " << err;
  }
}

}  // namespace
}  // namespace scenario
