// The real tool as a process, for what only a process shows on Linux.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "base/exit_status.h"

namespace scenario {
namespace {

// The real tool, for what only a process shows: its standard output on a
// full disk, and input without end under a memory limit.
TEST(ScenarioToolProcessTest, OutputAndMemoryFailures) {
  const std::string tool = SCENARIO_TOOL_PATH;
  const std::string dump = tool + " dump --kind plan ";
  // AddressSanitizer reserves terabytes of address space up front: under
  // it no memory limit can be set, and the reads' own bound is shown alone.
#if defined(__SANITIZE_ADDRESS__)
  const std::string limit = "";
#else
  const std::string limit = "ulimit -v 500000; ";
#endif
  struct Case {
    std::string command;
    const char* err;
  } cases[] = {
      {tool + " --help 2>&1 >/dev/full",
       "Impossibile scrivere <stdout>: Spazio esaurito sul dispositivo (errore "
       "28)"},
      {tool + " --help --lang en 2>&1 >/dev/full",
       "cannot write <stdout>: No space left on device (errno 28)"},
      // A reader gone before the tool writes, where broken pipes are not
      // signals: told as a broken pipe.
      {"bash -c \"exec 3>&1; set -o pipefail; trap '' PIPE; { sleep 0.3; " +
           tool + " --help --lang en 2>&3; } | (exec <&-; sleep 1)\"",
       "cannot write <stdout>: Broken pipe (errno 32)"},
      {"(" + limit + dump + "/dev/zero) 2>&1 >/dev/null",
       "Impossibile leggere /dev/zero: File troppo grande (errore 27)"},
      {"(" + limit + tool +
           " check /dev/zero /dev/zero --route-name R --train-number 1 "
           "--lang en) 2>&1 >/dev/null",
       "cannot read /dev/zero: File too large (errno 27)"},
  };
  for (const Case& c : cases) {
    const std::string& command = c.command;
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string err;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) err += buffer;
    const int status = ::pclose(pipe);
    EXPECT_EQ(WEXITSTATUS(status), kExitFailure) << c.command << "\n" << err;
    EXPECT_NE(err.find(c.err), std::string::npos) << c.command << "\n" << err;
  }
}

}  // namespace
}  // namespace scenario
