#include "documents/train_card.h"

#include <gtest/gtest.h>

#include "base/document_lines_for_test.h"

namespace scenario {
namespace {

TEST(TrainCardTest, CardAsWritten) {
  const std::string bytes = EncodeTextDocument(TrainCardLines());
  const std::vector<std::string> lines = DocumentLines(TrainCardLines());
  EXPECT_EQ(bytes.size(), 2804u);
  ASSERT_EQ(lines.size(), 42u);
  EXPECT_TRUE(IsAscii(bytes));
  EXPECT_EQ(lines[8],
            " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  EXPECT_EQ(lines[32], lines[15]);
  for (size_t slot : {0, 1, 11, 33, 34, 36, 40}) EXPECT_EQ(lines[slot], "");
  // The timetable box is 83 characters wide, its top rule 82.
  EXPECT_EQ(lines[12].size(), 82u);
  for (size_t slot = 13; slot <= 32; ++slot) {
    EXPECT_EQ(lines[slot].size(), 83u) << slot;
  }
  EXPECT_EQ(lines[41], std::string(83, '*'));
}

}  // namespace
}  // namespace scenario
