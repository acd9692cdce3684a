#include "model/placement.h"

#include <gtest/gtest.h>

#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// The embedded route's cells: 67000 m, so cells 0 to 1480.
class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s_.n_celle = 1480;
    s_.celle.Create(s_.n_celle);
  }
  Cella& cell(int64_t i) { return *s_.celle.at(i); }
  Long Signal(Long posizione, Long sx = 1, Long tempo = 0) {
    Segnale signal{.sx = sx, .s1 = 4, .s2 = 1, .tempo = tempo};
    return memo_segnale(s_, posizione, signal);
  }
  // Progressive of an object that lands in cell i.
  static Long At(int64_t i) { return static_cast<Long>((i - 1) * 50); }

  Scenario s_;
};

TEST_F(PlacementTest, SignalCellsAndMarkers) {
  struct Case {
    Long posizione;
    int64_t cell;
  } cases[] = {{3700, 75}, {1225, 26}, {1175, 24}, {0, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(Signal(c.posizione), kNoDiagnostic) << c.posizione;
    EXPECT_EQ(cell(c.cell).tipo, kSignal) << c.posizione;
  }
  // sx 1, dx 0: markers 31 to 34 every second cell before the signal.
  EXPECT_EQ(cell(73).preavviso, 31);
  EXPECT_EQ(cell(71).preavviso, 32);
  EXPECT_EQ(cell(69).preavviso, 33);
  EXPECT_EQ(cell(67).preavviso, 34);
  EXPECT_EQ(cell(75).valore1, 40);
  EXPECT_EQ(cell(75).valore2, 10);
  EXPECT_EQ(cell(75).valore4, 3);
}

TEST_F(PlacementTest, MarkersBeforeCellZeroAreSkipped) {
  // Cell 3: markers at 1, then -1, -3, -5.
  EXPECT_EQ(Signal(100), kNoDiagnostic);
  EXPECT_EQ(cell(1).preavviso, 31);
  EXPECT_EQ(cell(0).preavviso, 0);
}

TEST_F(PlacementTest, SignalTime) {
  struct Case {
    Long tempo, sx, caller_after;
    Byte stored;
  } cases[] = {
      {50, 2, 101, 101},  {50, 1, 101, 0},  {1, 2, 101, 101},
      {100, 2, 101, 101}, {0, 2, 0, 0},     {101, 2, 101, 101},
      {300, 2, 300, 44},  {-5, 2, -5, 251},
  };
  Long posizione = 1000;
  for (const Case& c : cases) {
    Segnale signal{.sx = c.sx, .tempo = c.tempo};
    EXPECT_EQ(memo_segnale(s_, posizione, signal), kNoDiagnostic);
    EXPECT_EQ(signal.tempo, c.caller_after) << c.tempo;
    EXPECT_EQ(cell((posizione / 50 + 1)).tempo, c.stored) << c.tempo;
    posizione += 1000;
  }
}

TEST_F(PlacementTest, SlowDownOfTheEmbeddedTrain) {
  EXPECT_EQ(memo_rallentamento(s_, 43150, {.v = 35, .l = 550, .f_ta = 1}),
            kNoDiagnostic);
  EXPECT_EQ(cell(840).tipo, kWarningBoard);
  EXPECT_EQ(cell(840).valore1, 35);
  EXPECT_EQ(cell(864).tipo, kSlowDownStart);
  EXPECT_EQ(cell(875).tipo, kSlowDownEnd);
  EXPECT_EQ(cell(864).valore1, 35);
  EXPECT_EQ(cell(875).valore1, 35);
  for (int m = 0; m < 4; ++m) {
    EXPECT_EQ(cell(839 - m).tipo, kSlowDownMarker);
    EXPECT_EQ(cell(839 - m).valore1, m + 1);
    EXPECT_EQ(cell(839 - m).valore2, 0);  // d_v 0
  }
}

TEST_F(PlacementTest, SlowDownCarriesItsSecondSpeedAndFlag) {
  ASSERT_EQ(
      memo_rallentamento(s_, 43150,
                         {.v = 35, .l = 550, .f_tt = 7, .f_ta = 1, .d_v = 20}),
      kNoDiagnostic);
  for (int64_t i : {840, 864, 875}) EXPECT_EQ(cell(i).valore2, 20) << i;
  EXPECT_EQ(cell(864).valore3, 7);
  EXPECT_EQ(cell(875).valore3, 7);
  EXPECT_EQ(cell(836).valore2, 4);
}

TEST_F(PlacementTest, SlowDownNearTheStartHasNoWarningBoard) {
  ASSERT_EQ(memo_rallentamento(s_, 1500, {.v = 30, .l = 100, .f_ta = 1}),
            kNoDiagnostic);
  int64_t placed = 0;
  for (const Cella& c : s_.celle.all()) placed += c.tipo != kNone;
  EXPECT_EQ(placed, 2);
  EXPECT_EQ(cell(31).tipo, kSlowDownStart);
  EXPECT_EQ(cell(33).tipo, kSlowDownEnd);
}

TEST_F(PlacementTest, HalvesRoundToEvenSeparatelyForBoardAndMarkers) {
  // 1575: (x - 1200) / 50 = 7.5, so h = 8 and the board too is in cell 8.
  EXPECT_EQ(memo_rallentamento(s_, 1575, {.v = 30, .l = 500, .f_ta = 1}),
            kSlowDownMarkerCellTaken);
  EXPECT_EQ(cell(8).tipo, kWarningBoard);

  Scenario other;
  other.celle.Create(1480);
  // 1625: 8.5, so h = 8 and the board in cell 10; cell 9 stays between.
  EXPECT_EQ(memo_rallentamento(other, 1625, {.v = 30, .l = 500, .f_ta = 1}),
            kNoDiagnostic);
  EXPECT_EQ(other.celle.at(10)->tipo, kWarningBoard);
  EXPECT_EQ(other.celle.at(9)->tipo, kNone);
  EXPECT_EQ(other.celle.at(8)->valore1, 1);
  EXPECT_EQ(other.celle.at(5)->valore1, 4);
}

TEST_F(PlacementTest, RefusalsLeaveTheFirstObjectInPlace) {
  struct Case {
    int64_t taken;  // the cell a signal holds before
    Long code;
  } cases[] = {{840, kWarningBoardCellTaken},
               {864, kSlowDownStartCellTaken},
               {875, kSlowDownEndCellTaken},
               {837, kSlowDownMarkerCellTaken}};
  for (const Case& c : cases) {
    SetUp();
    ASSERT_EQ(Signal(At(c.taken)), kNoDiagnostic);
    EXPECT_EQ(memo_rallentamento(s_, 43150, {.v = 35, .l = 550, .f_ta = 1}),
              c.code)
        << c.taken;
    EXPECT_EQ(cell(c.taken).tipo, kSignal) << c.taken;
    // Marks are written only once the three cells are known to be free.
    const bool marks_written = c.code == kSlowDownMarkerCellTaken;
    EXPECT_EQ(cell(864).tipo == kSlowDownStart, marks_written) << c.taken;
    EXPECT_EQ(cell(839).tipo, kNone) << c.taken;
  }

  SetUp();
  EXPECT_EQ(Signal(3700), kNoDiagnostic);
  EXPECT_EQ(Signal(3700), kSignalCellTaken);
  EXPECT_EQ(memo_indicatori_v_max(s_, 3700, {.vas = 60}), kSpeedBoardCellTaken);
  EXPECT_EQ(cell(75).tipo, kSignal);
}

TEST_F(PlacementTest, ObjectsOutsideTheCellsAreRefused) {
  for (Long posizione : {At(1481), -100, 2147483647}) {
    EXPECT_EQ(Signal(posizione), kCellOutsideRoute) << posizione;
  }
  EXPECT_EQ(memo_rallentamento(s_, 73000, {.v = 30, .l = 2000}),
            kCellOutsideRoute);
  EXPECT_EQ(cell(1461).tipo, kNone);  // nothing of it written
}

TEST_F(PlacementTest, SpeedBoard) {
  ASSERT_EQ(memo_indicatori_v_max(s_, 650,
                                  {.vas = 60,
                                   .vbs = 65,
                                   .vcs = 60,
                                   .strisces = 2,
                                   .vad = 0,
                                   .vbd = 0,
                                   .vcd = 35,
                                   .strisced = 1}),
            kNoDiagnostic);
  EXPECT_EQ(cell(14).tipo, kSpeedBoard);
  EXPECT_EQ(cell(14).valore1, 1200);
  EXPECT_EQ(cell(14).valore2, 1300);
  EXPECT_EQ(cell(14).valore3, 1207);
  EXPECT_EQ(cell(14).valore4, 21);
}

// A board and a signal read back from their cells give the values their
// lines placed; a signal's markers tell sx x 3 + dx from rapp.
TEST_F(PlacementTest, ObjectsReadBackFromTheirCells) {
  const IndicatoreVMax board{60, 65, 60, 2, 0, 5, 35, 1};
  ASSERT_EQ(memo_indicatori_v_max(s_, 650, board), kNoDiagnostic);
  EXPECT_EQ(SpeedBoardAt(cell(14)), board);

  const struct {
    Segnale placed;
    Long at;
  } signals[] = {
      {{.sx = 1, .s1 = 4, .s2 = 1}, 3700},
      {{.sx = 1, .s1 = 2, .rapp = 3, .dx = 1, .d1 = 5}, 7700},
      // sx x 3 + dx = 12 runs into rapp's digit (valore4 22, not 12 + 10):
      // only the markers, 121 to 124, part them.
      {{.sx = 4, .s1 = 3, .rapp = 1}, 10700},
      // A time is kept only with sx 2, raised to its floor.
      {{.sx = 2, .s1 = 5, .s3 = 1, .d3 = 2, .tempo = 101}, 12700},
  };
  for (const auto& [placed, at] : signals) {
    Segnale signal = placed;
    ASSERT_EQ(memo_segnale(s_, at, signal), kNoDiagnostic);
    EXPECT_EQ(SignalAt(s_.celle.all(), static_cast<size_t>(at / 50 + 1)),
              placed)
        << at;
  }
}

TEST_F(PlacementTest, MountainStretches) {
  Long tipo = 12;
  EXPECT_EQ(kNoDiagnostic,
            memo_montagna(s_, 1000, 2000, tipo));  // cells 20 to 39
  EXPECT_EQ(tipo, 2);
  // Every fourth cell of the stretch becomes a pass-through mark.
  EXPECT_EQ(cell(20).montagna, 2);
  EXPECT_EQ(cell(39).montagna, 2);
  EXPECT_EQ(cell(40).montagna, 0);
  EXPECT_EQ(cell(23).tipo, kMountainMark);
  EXPECT_EQ(cell(27).tipo, kMountainMark);
  EXPECT_EQ(cell(24).tipo, kNone);

  // 150 m after the previous end: kind 3; 151 m: its own kind.
  tipo = 1;
  EXPECT_EQ(kNoDiagnostic, memo_montagna(s_, 2150, 2500, tipo));
  EXPECT_EQ(tipo, 3);
  EXPECT_EQ(cell(43).montagna, 3);
  tipo = 1;
  EXPECT_EQ(kNoDiagnostic, memo_montagna(s_, 2651, 3000, tipo));
  EXPECT_EQ(tipo, 1);
  EXPECT_EQ(s_.n_montagne, 3);
}

TEST_F(PlacementTest, MountainMarksSpareTakenCells) {
  ASSERT_EQ(Signal(At(23)), kNoDiagnostic);
  Long tipo = 11;
  ASSERT_EQ(memo_montagna(s_, 1000, 2000, tipo), kNoDiagnostic);
  EXPECT_EQ(cell(23).tipo, kSignal);
  EXPECT_EQ(cell(27).tipo, kMountainMark);
}

TEST_F(PlacementTest, MountainLimits) {
  // A stretch running past the cells writes only the cells that exist.
  Long tipo = 1;
  EXPECT_EQ(kNoDiagnostic, memo_montagna(s_, 73000, 900000, tipo));
  EXPECT_EQ(cell(1480).montagna, 1);
  for (int i = 2; i <= 80; ++i) {
    tipo = 1;
    EXPECT_EQ(memo_montagna(s_, i * 1000, i * 1000 + 100, tipo), kNoDiagnostic);
  }
  tipo = 1;
  EXPECT_EQ(memo_montagna(s_, 90000, 90100, tipo), kTooManyMountains);
  EXPECT_EQ(s_.n_montagne, 80);
}

}  // namespace
}  // namespace scenario
