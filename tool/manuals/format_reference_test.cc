#include "tool/manuals/format_reference.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace scenario {
namespace {

TEST(FormatReferenceTest, TheCommittedReferenceIsWhatTheTablesGive) {
  std::ifstream in(std::string(SCENARIO_SOURCE_DIR) + "/docs/format.md");
  std::stringstream committed;
  committed << in.rdbuf();
  EXPECT_TRUE(committed.str() == FormatReference())
      << "docs/format.md differs from the compiler's tables; the build "
         "writes the current reference to build/manuals/format.md";
}

}  // namespace
}  // namespace scenario
