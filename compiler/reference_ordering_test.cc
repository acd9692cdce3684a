#include "compiler/reference_ordering.h"

#include <gtest/gtest.h>

#include <array>

namespace scenario {
namespace {

using Triple = std::array<Long, 3>;  // start, km, flag

struct Case {
  const char* name;
  Triple tre, due, uno;  // as read into 81, 82, 83
  Triple out81, out82, out83;
};

TEST(ReferenceOrderingTest, Cases) {
  const Triple zero = {0, 0, 0};
  const Case cases[] = {
      {"embedded route", zero, zero, {0, 65000, 1}, {0, 65100, 1}, zero, zero},
      {"all at the start, none positive",
       {0, -5, 0},
       zero,
       zero,
       zero,
       zero,
       zero},
      {"tre and uno positive: the last rule wins",
       {0, 100, 0},
       zero,
       {0, 200, 0},
       {0, 200, 0},
       zero,
       {0, 100, 0}},
      {"due positive",
       {0, 0, 2},
       {0, 300, 0},
       {0, 0, 3},
       {0, 300, 0},
       {0, 0, 2},
       {0, 0, 3}},
      {"tre, uno, due by start",
       {300, 1, 0},
       {100, 2, 0},
       {200, 3, 0},
       {300, 1, 0},
       {200, 3, 0},
       {100, 2, 0}},
      {"tre greatest, others equal",
       {300, 1, 0},
       {100, 2, 0},
       {100, 3, 0},
       {300, 1, 0},
       {100, 3, 0},
       {100, 2, 0}},
      {"due greatest, others equal",
       {100, 1, 0},
       {300, 2, 0},
       {100, 3, 0},
       {300, 2, 0},
       {100, 3, 0},
       {100, 1, 0}},
      {"uno greatest, others equal",
       {100, 1, 0},
       {100, 2, 0},
       {300, 3, 0},
       {300, 3, 0},
       {100, 2, 0},
       {100, 1, 0}},
      {"uno greatest, tre before due",
       {200, 1, 0},
       {100, 2, 0},
       {300, 3, 0},
       {300, 3, 0},
       {200, 1, 0},
       {100, 2, 0}},
      {"two share the greatest start",
       {300, 1, 0},
       {300, 2, 0},
       {100, 3, 0},
       zero,
       zero,
       zero},
      {"signed comparison",
       {-50, 1, 0},
       {0, 2, 0},
       {100, 3, 0},
       {100, 3, 0},
       {0, 2, 0},
       {-50, 1, 0}},
      {"flag 1 adds 100, flag 2 nothing",
       {300, 65000, 1},
       {200, 500, 2},
       {100, 0, 1},
       {300, 65100, 1},
       {200, 500, 2},
       {100, 100, 1}},
  };
  for (const Case& c : cases) {
    Scenario s;
    auto load = [&](int slot, const Triple& t) {
      s.voci[slot].inizio = t[0];
      s.voci[slot].fine = t[1];
      s.voci[slot].progressiva = t[2];
    };
    auto read = [&](int slot) {
      return Triple{s.voci[slot].inizio, s.voci[slot].fine,
                    s.voci[slot].progressiva};
    };
    load(kReferenceThreeSlot, c.tre);
    load(kReferenceTwoSlot, c.due);
    load(kReferenceOneSlot, c.uno);
    progressive_ordina(s);
    EXPECT_EQ(read(kReferenceThreeSlot), c.out81) << c.name;
    EXPECT_EQ(read(kReferenceTwoSlot), c.out82) << c.name;
    EXPECT_EQ(read(kReferenceOneSlot), c.out83) << c.name;
  }
}

// What the report tells of the order: each record names the line its
// reference was read from, or none where the order cleared it.
TEST(ReferenceOrderingTest, EachRecordKeepsWhereItsReferenceWasRead) {
  const struct {
    Triple tre, due, uno;
    std::array<int, 3> origins;
  } cases[] = {
      // All start at 0: "uno" with its km goes first, "tre" takes its place.
      {{0, 0, 0}, {0, 0, 0}, {0, 65000, 1}, {83, 82, 81}},
      // The greatest start first, the other two by start.
      {{100, 0, 0}, {900, 5000, 0}, {500, 0, 0}, {82, 83, 81}},
      // Two share the greatest start: all three cleared.
      {{900, 0, 0}, {900, 0, 0}, {100, 0, 0}, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    Scenario s;
    for (const auto& [slot, t] : {std::pair{kReferenceThreeSlot, c.tre},
                                  {kReferenceTwoSlot, c.due},
                                  {kReferenceOneSlot, c.uno}}) {
      s.voci[slot].inizio = t[0];
      s.voci[slot].fine = t[1];
      s.voci[slot].progressiva = t[2];
    }
    progressive_ordina(s);
    EXPECT_EQ(s.reference_origins, c.origins);
  }
}

}  // namespace
}  // namespace scenario
