#include "model/post_processing.h"

#include <gtest/gtest.h>

#include <set>

#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// Small cell arrays written by hand: kinds at given cells.
class PostProcessingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.n_celle = 300;
    s_.celle.Create(s_.n_celle);
  }
  void Put(int64_t q, Byte tipo, Integer valore1 = 0) {
    s_.celle.at(q)->tipo = tipo;
    s_.celle.at(q)->valore1 = valore1;
  }
  std::set<int64_t> Points() const {
    std::set<int64_t> points;
    for (size_t q = 0; q < s_.celle.size(); ++q) {
      const Cella& c = s_.celle.all()[q];
      if (c.tipo == kSpeedPoint && c.valore1 == 180) points.insert(q);
    }
    return points;
  }
  Scenario s_;
};

TEST_F(PostProcessingFixture, SignalsBeforeAWarningBoard) {
  Put(100, kWarningBoard);
  Put(95, kSignal);  // 5 cells before: point in 94
  Put(79, kSignal);  // 21 cells before: out of reach
  Put(90, kSignal);  // 89 taken: point in 88
  Put(89, kSlowDownMarker);
  PostProcessCells(s_);
  EXPECT_EQ(Points(), (std::set<int64_t>{94, 88}));
  EXPECT_EQ(s_.codice_errore, 0);
}

TEST_F(PostProcessingFixture, PointsBeforeASignalAreCappedAt180) {
  for (Integer speed : {200, 150}) {
    SetUp();
    Put(50, kWarningBoard);
    Put(48, kSignal);
    Put(47, kSpeedPoint, speed);
    Put(46, kSignal);
    PostProcessCells(s_);
    EXPECT_EQ(s_.celle.at(47)->valore1, std::min<Integer>(speed, 180));
  }
}

TEST_F(PostProcessingFixture, NoRoomBeforeASignal) {
  Put(40, kWarningBoard);
  Put(35, kSignal);
  Put(34, kSignal);
  Put(33, kSignal);
  Put(32, kSlowDownMarker);
  Put(31, kSlowDownMarker);
  PostProcessCells(s_);
  EXPECT_EQ(s_.codice_errore, kNoRoomBeforeSignal);
  EXPECT_EQ(s_.posizione_errore, 33 * 50);
}

TEST_F(PostProcessingFixture, WindowsBeforeASlowDownStart) {
  struct Case {
    int64_t start;
    std::set<int64_t> points;
  } cases[] = {
      {7, {}},      {8, {3}},      {13, {8}},
      {14, {9, 3}}, {20, {15, 9}}, {21, {16, 10, 3}},
  };
  for (const Case& c : cases) {
    SetUp();
    // Fast enough for no spacing walk.
    Put(c.start, kSlowDownStart, 120);
    Put(c.start + 2, kSlowDownEnd, 120);
    PostProcessCells(s_);
    EXPECT_EQ(Points(), c.points) << c.start;
  }
  SetUp();
  Put(30, kSlowDownStart, 120);
  Put(32, kSlowDownEnd, 120);
  for (int64_t q : {23, 24, 25}) Put(q, kSignal);
  PostProcessCells(s_);
  EXPECT_EQ(s_.codice_errore, kNoRoomBeforeSlowDown);
  EXPECT_EQ(s_.posizione_errore, 30 * 50);
}

TEST_F(PostProcessingFixture, SpacingWalkAlongASlowDown) {
  Put(100, kSlowDownStart, 35);
  Put(130, kSlowDownEnd, 35);
  Put(116, kSignal);  // taken: the point goes to 115, and the count restarts
  PostProcessCells(s_);
  EXPECT_EQ(Points(), (std::set<int64_t>{95, 89, 82, 108, 115, 123}));
  EXPECT_EQ(s_.codice_errore, 0);
}

TEST_F(PostProcessingFixture, ABlockedWalkPlacesNoFurtherPoints) {
  Put(100, kSlowDownStart, 35);
  Put(130, kSlowDownEnd, 35);
  for (int64_t q : {107, 108, 109}) Put(q, kSignal);
  PostProcessCells(s_);
  EXPECT_EQ(s_.codice_errore, kNoRoomForSpacingPoint);
  EXPECT_EQ(s_.posizione_errore, 108 * 50);
  for (int64_t q : {116, 124}) EXPECT_EQ(s_.celle.at(q)->tipo, kNone) << q;
}

TEST_F(PostProcessingFixture, SignalAfterTheEnd) {
  struct Case {
    Integer speed;
    std::vector<int64_t> taken;
    int64_t point;  // 0: none
    Long code;
  } cases[] = {
      {35, {}, 134, 0},
      {35, {134}, 133, 0},
      {35, {134, 133}, 0, kNoRoomForSpacingPoint},
      // 110 km/h and faster: no walk, but the search starts from its end.
      {120, {}, 134, 0},
  };
  for (const Case& c : cases) {
    SetUp();
    s_.codice_errore = 0;
    Put(100, kSlowDownStart, c.speed);
    Put(130, kSlowDownEnd, c.speed);
    Put(135, kSignal);
    for (int64_t q : c.taken) Put(q, kSlowDownMarker);
    PostProcessCells(s_);
    EXPECT_EQ(s_.codice_errore, c.code) << c.speed << " " << c.taken.size();
    if (c.point) {
      EXPECT_TRUE(Points().count(c.point)) << c.point;
    }
  }
  // A signal more than 12 cells after the end gets nothing.
  SetUp();
  Put(100, kSlowDownStart, 120);
  Put(130, kSlowDownEnd, 120);
  Put(143, kSignal);
  PostProcessCells(s_);
  EXPECT_FALSE(Points().count(142));
}

TEST_F(PostProcessingFixture, AWalkWithoutEndStopsAtTheLastCell) {
  Put(290, kSlowDownStart, 35);
  Put(299, kSignal);
  PostProcessCells(s_);
  EXPECT_TRUE(Points().count(298));
  EXPECT_EQ(s_.celle.size(), 301u);
}

}  // namespace
}  // namespace scenario
