#include "model/scenario_codes.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

struct Codes {
  Long st;
  Integer og;
  bool operator==(const Codes&) const = default;
};

Codes CodesOf(const std::string& train, const std::string& route) {
  return {codice_gara_st(train, route), codice_gara_og(train, route)};
}

TEST(ScenarioCodesTest, KnownCodes) {
  EXPECT_EQ(CodesOf("", ""), (Codes{34355, 2583}));
  EXPECT_EQ(CodesOf("12", "Ab"), (Codes{33416, 2437}));
  EXPECT_EQ(CodesOf("12", "AB"), CodesOf("12", "ab"));
}

TEST(ScenarioCodesTest, OnlyTheFirst25CharactersCount) {
  // 17 + 5 characters: the filler's "aab" completes them.
  EXPECT_EQ(WorkText("37264", "Valdorsio-Ronsale").substr(0, 25),
            "37264valdorsio-ronsaleaab");
  const std::string long_name(30, 'z');
  EXPECT_EQ(CodesOf("1", long_name), CodesOf("1", long_name + "tail"));
}

TEST(ScenarioCodesTest, ExchangingTheNamesKeepsOnlyOg) {
  const Codes one = CodesOf("abc", "xyz");
  const Codes other = CodesOf("xyz", "abc");
  EXPECT_EQ(one.og, other.og);
  EXPECT_NE(one.st, other.st);
}

TEST(ScenarioCodesTest, BytesAboveAsciiCountAsSingleBytes) {
  // The largest codes a single-byte text can give.
  const std::string high(25, '\xFF');
  EXPECT_EQ(CodesOf(high, ""), (Codes{82875, 6375}));
}

// The names are lower-cased in their single-byte character set: an
// accented capital counts as its small letter, as an ASCII capital does;
// the multiplication sign and the sharp s have no pair and stay.
TEST(ScenarioCodesTest, AccentedCapitalsCountAsTheirSmallLetters) {
  struct Case {
    const char* capital;
    const char* small;
  } cases[] = {
      {"\xC0rvier", "\xE0rvier"},  // Àrvier
      {"\xC9\xC8\xCC\xD2\xD9\xDE", "\xE9\xE8\xEC\xF2\xF9\xFE"},
      {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},  // Š Œ Ž Ÿ
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodesOf("1", c.capital), CodesOf("1", c.small)) << c.small;
    EXPECT_EQ(WorkText(c.capital, ""), WorkText(c.small, ""));
  }
  EXPECT_EQ(WorkText("\xD7\xDF", "").substr(0, 2), "\xD7\xDF");
}

}  // namespace
}  // namespace scenario
