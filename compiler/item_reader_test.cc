#include "compiler/item_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

// Reads `text` by a pattern: 't' a text item, 'n' a number; each read shows
// as "text@line:column" or "=number@line:column", a failure as its kind.
std::vector<std::string> Read(std::string_view text, std::string_view pattern) {
  ItemReader reader(text);
  std::vector<std::string> out;
  for (char kind : pattern) {
    Item item;
    int64_t value = 0;
    ItemReader::Result result =
        kind == 't' ? reader.ReadText(&item) : reader.ReadNumber(&value, &item);
    std::string where =
        "@" + std::to_string(item.line) + ":" + std::to_string(item.column);
    switch (result) {
      case ItemReader::Result::kOk:
        out.push_back((kind == 't' ? std::string(item.text)
                                   : "=" + std::to_string(value)) +
                      where);
        break;
      case ItemReader::Result::kEndOfFile:
        out.push_back("<end>");
        break;
      case ItemReader::Result::kNotANumber:
        out.push_back("<not a number " + std::string(item.text) + ">");
        break;
      case ItemReader::Result::kBeyond32Bits:
        out.push_back("<beyond 32 bits>");
        break;
    }
  }
  if (!reader.AtEnd()) out.push_back("<more>");
  return out;
}

TEST(ItemReaderTest, Items) {
  struct Case {
    const char* text;
    const char* pattern;
    std::vector<std::string> expected;
  } cases[] = {
      {"ripetizione segnali 4 codici,    0    ,0\r\n",
       "tnn",
       {"ripetizione segnali 4 codici@1:1", "=0@1:34", "=0@1:40"}},
      {"orologio,    5               55            45 \r\n[x]\r\n",
       "tnnnt",
       {"orologio@1:1", "=5@1:14", "=55@1:30", "=45@1:44", "[x]@2:1"}},
      // Empty numeric fields read as 0.
      {"v,  0,  ,  ,  7\r\n",
       "tnnnn",
       {"v@1:1", "=0@1:5", "=0@1:9", "=0@1:12", "=7@1:15"}},
      {"a,\r\n", "tn", {"a@1:1", "=0@1:3"}},
      // Text keeps inner blanks, loses trailing ones; quotes may hold commas.
      {"x,   ( / / ) 1  \r\n", "tt", {"x@1:1", "( / / ) 1@1:6"}},
      {"x, \"a, b\" ,next\n", "ttt", {"x@1:1", "a, b@1:4", "next@1:12"}},
      {"x, \"open, end\n", "tt", {"x@1:1", "open, end@1:4"}},
      // LF and CR alone end lines too; a missing last line end is fine.
      {"a\nb\rc", "ttt", {"a@1:1", "b@2:1", "c@3:1"}},
      {"\r\n\r\nz", "ttt", {"@1:1", "@2:1", "z@3:1"}},
      {"+12,-7,2147483647,-2147483648",
       "nnnn",
       {"=12@1:1", "=-7@1:5", "=2147483647@1:8", "=-2147483648@1:19"}},
      {"2147483648", "n", {"<beyond 32 bits>"}},
      {"99999999999999999999999", "n", {"<beyond 32 bits>"}},
      {"12abc, 3", "nn", {"<not a number 12abc>", "=3@1:8"}},
      {"-, +", "nn", {"<not a number ->", "<not a number +>"}},
      {"a", "tt", {"a@1:1", "<end>"}},
      {"", "n", {"<end>"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.text, c.pattern), c.expected) << c.text;
  }
}

TEST(ItemReaderTest, EndOfFileComesRightAfterTheLastItem) {
  ItemReader reader("[fine]\r\n");
  Item item;
  ASSERT_EQ(reader.ReadText(&item), ItemReader::Result::kOk);
  EXPECT_TRUE(reader.AtEnd());
  ItemReader blank_after("[fine]\r\n\r\n");
  blank_after.ReadText(&item);
  EXPECT_FALSE(blank_after.AtEnd());
}

}  // namespace
}  // namespace scenario
