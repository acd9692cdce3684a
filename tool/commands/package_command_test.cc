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

}  // namespace
}  // namespace scenario
