#include "compiler/source_lines.h"

#include <gtest/gtest.h>

#include <set>

namespace scenario {
namespace {

TEST(SourceLinesTest, EveryKindOfLineIsDescribedOnce) {
  std::set<LineKind> seen;
  for (size_t i = 0; i < std::size(kSourceLines); ++i) {
    const SourceLine& line = kSourceLines[i];
    EXPECT_TRUE(seen.insert(line.kind).second) << line.spellings[0];
    EXPECT_EQ(&LineOf(line.kind), &line) << line.spellings[0];
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(LineKind::kStation) + 1);
  size_t in_phases = 0;
  for (Phase phase : {Phase::kRouteGeneral, Phase::kRouteBody, Phase::kTrain}) {
    for (const SourceLine& line : LinesOf(phase)) {
      EXPECT_EQ(line.phase, phase) << line.spellings[0];
      ++in_phases;
    }
  }
  EXPECT_EQ(in_phases, std::size(kSourceLines));
  // What a field means is said in both languages, or in neither.
  for (const SourceLine& line : kSourceLines) {
    for (const SourceField& field : line.fields) {
      EXPECT_EQ(field.about.empty(), field.about_italian.empty())
          << line.spellings[0] << " " << field.english;
    }
  }
}

// The way authors write each key item names its own line and no other of
// its phase, whatever the case where the line allows it.
TEST(SourceLinesTest, EachSpellingNamesItsOwnLine) {
  for (const SourceLine& line : kSourceLines) {
    for (std::string_view spelling : line.spellings) {
      std::string shouted(spelling);
      for (char& c : shouted) c = static_cast<char>(std::toupper(c));
      for (const SourceLine& other : LinesOf(line.phase)) {
        EXPECT_EQ(Names(other, spelling), &other == &line)
            << spelling << " / " << other.spellings[0];
      }
      EXPECT_EQ(Names(line, shouted), !line.exact_case) << shouted;
    }
  }
}

TEST(SourceLinesTest, RangesFitTheirWidth) {
  for (const SourceLine& line : kSourceLines) {
    for (const SourceField& field : line.fields) {
      SCOPED_TRACE(std::string(line.spellings[0]) + " " +
                   std::string(field.italian));
      EXPECT_LE(field.min, field.max);
      EXPECT_FALSE(field.italian.empty() || field.english.empty());
      if (field.rule != RangeRule::kChecked) continue;
      // What the reading checks is what the model field can hold.
      switch (field.width) {
        case Width::kByte:
          EXPECT_GE(field.min, 0);
          EXPECT_LE(field.max, 255);
          break;
        case Width::kInteger:
          EXPECT_GE(field.min, -32768);
          EXPECT_LE(field.max, 32767);
          break;
        case Width::kLong:
        case Width::kText:
          EXPECT_GE(field.min, 0);
          EXPECT_LE(field.max, 32767);
          break;
      }
    }
  }
}

}  // namespace
}  // namespace scenario
