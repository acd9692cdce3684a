// Every input a fuzzer once found, and the seed corpus, replayed as a test
// in every build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/fuzz_targets.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const std::string& kind) {
  std::vector<fs::path> inputs;
  for (const char* set : {"corpus", "regressions"}) {
    const fs::path folder = fs::path(SCENARIO_SOURCE_DIR) / "fuzz" / set / kind;
    if (!fs::exists(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(FuzzRegressionTest, CompileInputs) {
  const std::vector<fs::path> inputs = Inputs("compile");
  EXPECT_FALSE(inputs.empty());
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.string());
    FuzzCompile(Bytes(input));
  }
}

TEST(FuzzRegressionTest, ToolInputs) {
  // The compile's inputs serve the tool's commands as well.
  for (const char* kind : {"compile", "tool"}) {
    for (const fs::path& input : Inputs(kind)) {
      for (size_t path = 0; path < ToolPaths(); ++path) {
        EXPECT_TRUE(FuzzToolPath(Bytes(input), path))
            << input.string() << ", path " << path;
      }
    }
  }
}

TEST(FuzzRegressionTest, DumpInputs) {
  const std::vector<fs::path> inputs = Inputs("dump");
  EXPECT_FALSE(inputs.empty());
  for (const fs::path& input : inputs) {
    SCOPED_TRACE(input.string());
    FuzzDump(Bytes(input));
  }
}

}  // namespace
}  // namespace scenario
