#include "documents/scenario_notes.h"

#include <gtest/gtest.h>

#include "base/document_lines_for_test.h"

namespace scenario {
namespace {

TEST(ScenarioNotesTest, NotesAsWritten) {
  const std::vector<std::string> lines = DocumentLines(ScenarioNotesLines());
  ASSERT_EQ(lines.size(), 42u);
  size_t bytes_from_slot_3 = 0;
  for (size_t slot = 3; slot < lines.size(); ++slot) {
    bytes_from_slot_3 += lines[slot].size() + 2;
  }
  EXPECT_EQ(bytes_from_slot_3, 2846u);
  for (size_t slot : {3, 5, 6, 10, 28, 29}) EXPECT_EQ(lines[slot], "") << slot;
  EXPECT_EQ(lines[7].size(), 92u);
  EXPECT_EQ(lines[9], std::string(92, '*'));
  EXPECT_EQ(lines[34].size(), 321u);
  EXPECT_NE(lines[12].find("lo potete  trovare, con"), std::string::npos);
  EXPECT_NE(lines[14].find("'Piano Ribassato'.In realt\xE0 dovrebbe"),
            std::string::npos);
}

TEST(ScenarioNotesTest, AuthorCreditsKeepTheirLayout) {
  const std::vector<std::string> lines = DocumentLines(ScenarioNotesLines());
  EXPECT_TRUE(lines[0].starts_with("Autori dello scenario: "));
  for (size_t slot : {1, 2}) {
    EXPECT_TRUE(lines[slot].starts_with(std::string(17, ' ')) &&
                lines[slot][17] != ' ')
        << lines[slot];
  }
  for (size_t slot : {0, 1, 2}) {
    EXPECT_TRUE(lines[slot].ends_with("@example.org)")) << lines[slot];
  }
}

TEST(ScenarioNotesTest, AccentedLettersAreSingleWindows1252Bytes) {
  const std::string bytes = EncodeTextDocument(ScenarioNotesLines());
  std::string non_ascii;
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) non_ascii += c;
  }
  EXPECT_EQ(non_ascii.find_first_not_of("\xE0\xE8\xF2"), std::string::npos);
  for (char c : {'\xE0', '\xE8', '\xF2'}) {
    EXPECT_NE(non_ascii.find(c), std::string::npos);
  }
}

}  // namespace
}  // namespace scenario
