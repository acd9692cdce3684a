#include "compiler/source_reader.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

// A misspelt keyword is suggested only within a third of its letters (and
// three edits), among the lines of the phase it stands in; further off, a
// suggestion would be a guess.
TEST(SourceReaderTest, SuggestsAKeywordOnlyWhenClose) {
  struct Case {
    const char* item;
    Phase phase;
    const char* suggested;
  } cases[] = {
      {"pendnza", Phase::kRouteBody, "pendenza"},
      {"PENDENZA x", Phase::kRouteBody, "pendenza"},  // any case, 2 edits
      {"PENDENZA xy", Phase::kRouteBody, ""},  // 3 edits: past a third of 8
      {"segnael", Phase::kTrain, "segnale"},
      {"stazzione", Phase::kTrain, "stazione"},
      {"stazione", Phase::kRouteBody, ""},  // a train line in the route
      {"curvd3", Phase::kRouteBody, "curvad"},
      {"xyzzy", Phase::kTrain, ""},
      {"rallentamneto", Phase::kTrain, "rallentamento"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClosestKeyword(c.item, LinesOf(c.phase)), c.suggested) << c.item;
  }
}

}  // namespace
}  // namespace scenario
