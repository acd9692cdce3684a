#include "model/timetable.h"

#include <gtest/gtest.h>

#include "model/cell_units.h"

namespace scenario {
namespace {

// The references as the compile leaves them in the bank: ordered, and a
// flagged one's kilometre raised by 100 m.
Scenario WithReferences(std::vector<Voce> references) {
  Scenario s;
  int slot = kReferenceThreeSlot;
  for (Voce& v : references) {
    if (v.progressiva == 1) v.fine += 100;
    s.voci[static_cast<size_t>(slot++)] = v;
  }
  return s;
}

Voce Reference(Long start, Long km, Long flag) {
  Voce v;
  v.inizio = start;
  v.fine = km;
  v.progressiva = flag;
  return v;
}

TEST(KilometrePostsTest, EachReferenceHoldsToTheNextAndTellsItsDirection) {
  struct Case {
    std::vector<Voce> references;
    Long at;
    int64_t km, post;
  } cases[] = {
      {{}, 12345, 12345, 12},                        // none
      {{Reference(0, 65000, 1)}, 43150, 21850, 22},  // falling
      {{Reference(0, 65000, 1)}, 43000, 22000, 22},  // at a post
      {{Reference(0, 65000, 1)}, 65150, -150, 0},    // past 0
      {{Reference(0, 3000, 0)}, 2500, 5500, 5},      // rising
      {{Reference(10000, 0, 0), Reference(0, 5000, 1)}, 4000, 1000, 1},
      {{Reference(10000, 0, 0), Reference(0, 5000, 1)}, 12500, 2500, 2},
      {{Reference(5000, 9000, 0)}, 1000, 5000, 5},  // before the first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    const KilometrePosts posts(WithReferences(c.references));
    EXPECT_EQ(posts.At(c.at), c.km);
    EXPECT_EQ(posts.PostBefore(c.at), c.post);
  }
}

// The line speed, under a board from the board on, under a slow-down from
// the cell before its start mark to the cell before its end mark, 0 at a
// stop.
TEST(SpeedMetTest, BoardsSlowDownsAndStops) {
  std::vector<Cella> cells(12);
  for (Cella& c : cells) c.velocita = static_cast<Byte>(CellSpeed(100));
  cells[2].tipo = kSpeedBoard;
  cells[2].valore1 = SpeedPair(60, 0);
  // A change of line speed ends the board.
  for (size_t i = 4; i < cells.size(); ++i) {
    cells[i].velocita = static_cast<Byte>(CellSpeed(90));
  }
  cells[7].tipo = kSlowDownStart;
  cells[7].valore1 = 30;
  cells[9].tipo = kSlowDownEnd;
  cells[11].tipo = kStopPoint;
  EXPECT_EQ(SpeedMet(cells), (std::vector<int>{100, 100, 60, 60, 90, 90, 30, 30,
                                               30, 90, 90, 0}));
}

}  // namespace
}  // namespace scenario
