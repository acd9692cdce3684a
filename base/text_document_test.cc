#include "base/text_document.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/memory_file_system.h"

namespace scenario {
namespace {

TEST(TextDocumentTest, Encoding) {
  struct Case {
    std::vector<std::string_view> slots;
    std::string expected;
  } cases[] = {
      {{kEndOfList}, ""},
      {{"", kEndOfList}, "\r\n"},
      {{"a", "", "  b  ", kEndOfList, "never"}, "a\r\n\r\n  b  \r\n"},
      // The marker is compared exactly: near misses are ordinary lines.
      {{"Riferimento fine del file", " riferimento fine del file", kEndOfList},
       "Riferimento fine del file\r\n riferimento fine del file\r\n"},
      {{"realtà è può", kEndOfList}, "realt\xE0 \xE8 pu\xF2\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeTextDocument(c.slots), c.expected) << c.slots.front();
  }
}

TEST(TextDocumentTest, CharactersOutsideTheCodePage) {
  std::vector<std::string_view> slots = {"€ – “x” 猫 \xC3", kEndOfList};
  EXPECT_EQ(EncodeTextDocument(slots), "\x80 \x96 \x93x\x94 ? ?\r\n");
}

TEST(TextDocumentTest, OnlyTheFirst1001SlotsAreLookedAt) {
  std::vector<std::string_view> slots(kLineSlots + 5, "x");
  EXPECT_EQ(EncodeTextDocument(slots).size(), kLineSlots * 3);
}

TEST(TextDocumentTest, ReplacesALongerFileWhole) {
  MemoryFileSystem files;
  files.files["d/a.txt"] = std::string(5000, 'z');
  std::vector<std::string_view> slots = {"new", kEndOfList};
  ASSERT_TRUE(WriteTextDocument(files, "d/a.txt", slots).ok());
  EXPECT_EQ(files.files["d/a.txt"], "new\r\n");
}

}  // namespace
}  // namespace scenario
