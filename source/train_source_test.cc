#include "source/train_source.h"

#include <gtest/gtest.h>

#include "base/document_lines_for_test.h"

namespace scenario {
namespace {

TEST(TrainSourceTest, FileAsWritten) {
  const std::string bytes = EncodeTextDocument(TrainSourceLines());
  const std::vector<std::string> lines = DocumentLines(TrainSourceLines());
  EXPECT_EQ(bytes.size(), 2975u);
  ASSERT_EQ(lines.size(), 67u);
  EXPECT_TRUE(IsAscii(bytes));
  EXPECT_EQ(bytes.find(kEndOfList), std::string::npos);
  EXPECT_EQ(lines.front(), "[generale]");
  EXPECT_EQ(lines[4], "orologio,    5               55            45 ");
  EXPECT_EQ(lines[38], "rallentamento,   43150,    35,  550, 0,  0,  0");
  EXPECT_EQ(lines[65], "[codici]");
  EXPECT_EQ(lines[66], "[fine]");
}

TEST(TrainSourceTest, ColumnsAreAligned) {
  const std::vector<std::string> lines = DocumentLines(TrainSourceLines());
  // Station lines agree up to the name, which keeps its inner blanks.
  const std::string first = lines[26];
  EXPECT_EQ(first,
            "stazione,       0,  8,  400,  1, 0, 0,  4,1,0,  2,1,1,    1,   0,"
            " 0, 0, VALDORSIO");
  const size_t name_at = first.rfind(", ") + 2;
  for (size_t slot = 26; slot <= 36; ++slot) {
    EXPECT_EQ(lines[slot].rfind(", ", name_at) + 2, name_at) << lines[slot];
  }
  EXPECT_EQ(lines[29].substr(name_at), "PIEVE DI LORMANO");
  for (size_t slot = 40; slot <= 64; ++slot) {
    EXPECT_EQ(lines[slot].size(), lines[40].size()) << lines[slot];
  }
  EXPECT_EQ(lines[40], "segnale,    3700,   1, 4, 1,  0, 0,    0,  0,0,0, 0");
}

}  // namespace
}  // namespace scenario
