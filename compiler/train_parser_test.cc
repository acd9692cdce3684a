#include "compiler/train_parser.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// Reads the embedded route and the given train text.
CompiledForTest Train(std::string_view train) {
  CompiledForTest c;
  ReadTexts(c, EmbeddedRoute(), train);
  return c;
}

// Runs of equal values along a cell field: {first cell, last cell, value}.
using Runs = std::vector<std::array<int, 3>>;
Runs RunsOf(const Scenario& s, Byte Cella::*field) {
  Runs runs;
  const auto& cells = s.celle.all();
  for (size_t i = 0; i < cells.size(); ++i) {
    const int value = cells[i].*field;
    if (runs.empty() || runs.back()[2] != value) {
      runs.push_back({static_cast<int>(i), static_cast<int>(i), value});
    } else {
      runs.back()[1] = static_cast<int>(i);
    }
  }
  return runs;
}

TEST(TrainParserTest, EmbeddedTrain) {
  CompiledForTest c = Train(EmbeddedTrain());
  const Scenario& s = c.s;
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.voci[84].inizio, 115);
  EXPECT_EQ(s.voci[84].progressiva, 4);
  EXPECT_EQ(s.voci[86].intero1, 100);
  EXPECT_EQ(s.voci[86].intero3, 5);
  EXPECT_EQ(s.voci[86].intero4, 55);
  EXPECT_EQ(s.voci[86].intero5, 45);
  EXPECT_EQ(s.voci[11].nome, "RONSALE");
  EXPECT_EQ(s.voci[12], Voce{});
  EXPECT_EQ(s.voci[4].nome, "PIEVE DI LORMANO");

  EXPECT_EQ(RunsOf(s, &Cella::velocita), (Runs{{0, 39, 13},
                                               {40, 102, 22},
                                               {103, 434, 24},
                                               {435, 435, 2},
                                               {436, 444, 24},
                                               {445, 445, 2},
                                               {446, 448, 24},
                                               {449, 449, 2},
                                               {450, 1039, 24},
                                               {1040, 1068, 21},
                                               {1069, 1259, 24},
                                               {1260, 1477, 12},
                                               {1478, 1480, 0}}));
  EXPECT_EQ(RunsOf(s, &Cella::aderenza), (Runs{{0, 69, 90},
                                               {70, 159, 85},
                                               {160, 269, 89},
                                               {270, 439, 85},
                                               {440, 794, 95},
                                               {795, 1477, 90},
                                               {1478, 1480, 0}}));
  int signals = 0;
  for (const Cella& cell : s.celle.all()) signals += cell.tipo == kSignal;
  EXPECT_EQ(signals, 25);
  EXPECT_EQ(s.celle.at(864)->tipo, kSlowDownStart);
}

TEST(TrainParserTest, StationsOfTheEmbeddedTrain) {
  CompiledForTest c = Train(EmbeddedTrain());
  const Scenario& s = c.s;
  auto zone = [&](int n) {
    return std::array<Long, 2>{s.voci[n].inizio, s.voci[n].fine};
  };
  // The first station: zone -400 to 400, stop cell 7, markers 6 to 3.
  EXPECT_EQ(zone(1), (std::array<Long, 2>{-400, 400}));
  EXPECT_EQ(s.celle.at(7)->tipo, kStopPoint);
  EXPECT_EQ(s.celle.at(7)->valore1, 1);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(s.celle.at(7 - i)->preavviso, 80 + i);
  EXPECT_EQ(s.voci[1].byte4, 0);
  EXPECT_EQ(s.voci[1].byte5, 0);
  // The second: 5300 to 5600, stop cell 111, markers 110 to 107.
  EXPECT_EQ(zone(2), (std::array<Long, 2>{5300, 5600}));
  EXPECT_EQ(s.celle.at(111)->valore1, 2);
  EXPECT_EQ(s.celle.at(107)->preavviso, 84);
  EXPECT_EQ(s.voci[2].orario, 21915);
  // The third, type 28: a zone but no stop cell and no markers.
  EXPECT_EQ(zone(3), (std::array<Long, 2>{11100, 11400}));
  EXPECT_NE(s.celle.at(227)->tipo, kStopPoint);
  EXPECT_EQ(s.celle.at(226)->preavviso, 0);
  // The tenth: the end flag adds 50 m.
  EXPECT_EQ(zone(10), (std::array<Long, 2>{53950, 54400}));
}

TEST(TrainParserTest, Codes) {
  const std::string station =
      "stazione, 5000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n";
  struct Case {
    std::string lines;
    Long code;
    Long position;
  } cases[] = {
      {"stazione, 5475, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n",
       kStationNotOnCell, 5475},
      {"stazione, 5450, 8, 350, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n",
       kStationLengthNotMultipleOf100, 5450},
      // Zones 350 m apart are fine, 300 m apart too close.
      {station +
           "stazione, 5900, 24, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B\r\n",
       0, 0},
      {station +
           "stazione, 5850, 24, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B\r\n",
       kStationsTooClose, 5850},
      {"stazione, 0, 24, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n",
       kStopZoneTooEarly, 0},
      {"stazione, 0, 24, 400, 256,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n",
       kReadingFault, 0},
      {"abbattimento, 1000, 80\r\nabbattimento, 1000, 0\r\n", kPointCellTaken,
       1000},
      {"segnale, 950, 1,4,0,0,0,0,0,0,0,0\r\nabbattimento, 1000, 0\r\n",
       kPointCellTaken, 1000},
      {"segnale, 3700, 1,4,0,0,0,0,0,0,0,0\r\nsegnale, 3700, "
       "1,4,0,0,0,0,0,0,0,0\r\n",
       kSignalCellTaken, 3700},
      {"velocita, 73901, 60\r\n", kBeyondCells, 73901},
      {"stazione, 73100, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n", 0, 0},
      {"stazione, 73250, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n",
       kBeyondCells, 73250},
      {"velocita, 0, 1277\r\n", 0, 0},
      {"velocita, 0, 1278\r\n", kReadingFault, 0},
      {"orologio, 5, 32768, 0\r\n", kReadingFault, 0},
      {"segnale, 3700, 1\r\n", kReadingFault, 0},
  };
  for (const Case& c : cases) {
    CompiledForTest compiled = Train(TrainWith(c.lines));
    EXPECT_EQ(compiled.s.codice_errore, c.code) << c.lines;
    EXPECT_EQ(compiled.s.posizione_errore, c.position) << c.lines;
  }
}

TEST(TrainParserTest, PointsAndProfiles) {
  CompiledForTest c = Train(
      TrainWith("abbattimento, 1000, 80\r\nabbattimento, 2000, 0\r\n"
                "VELOCITA, 0, 60\r\nvelocita, 500, 90\r\nvelocita, 500, 30\r\n"
                "Massa, 99\r\nmassa frenata, 120\r\n"));
  const Scenario& s = c.s;
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle.at(20)->tipo, kSpeedPoint);
  EXPECT_EQ(s.celle.at(20)->valore1, 80);
  EXPECT_EQ(s.celle.at(40)->tipo, kPlainPoint);
  // The repeated progressive writes one cell with the earlier speed.
  EXPECT_EQ(s.celle.at(9)->velocita, 12);
  EXPECT_EQ(s.celle.at(10)->velocita, 18);
  EXPECT_EQ(s.celle.at(11)->velocita, 6);
  EXPECT_EQ(s.voci[84].inizio, 120);
  // No adhesion line: the tail writes 0.
  EXPECT_EQ(s.celle.at(0)->aderenza, 0);
}

TEST(TrainParserTest, StationsStayBelowTheSignboardTexts) {
  // The embedded route holds 48 signboards: S is 32, so 30 stations fit and
  // the 31st stops the reading after it is stored.
  std::string lines;
  for (int n = 0; n < 31; ++n) {
    lines += "stazione, " + std::to_string(1000 + n * 2000) +
             ", 28, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S" +
             std::to_string(n + 1) + "\r\n";
  }
  CompiledForTest c = Train(TrainWith(lines));
  EXPECT_EQ(c.s.codice_errore, kTooManyStations);
  EXPECT_EQ(c.s.voci[31].nome, "S31");
  EXPECT_EQ(c.s.voci[33].nome, "(P.L.Km)( 0+950)");
}

TEST(TrainParserTest, RouteBeyondCellsStopsTheTrainAtItsFirstSignal) {
  CompiledForTest c;
  ReadTexts(
      c, RouteWithBody("pendenza, 73901, 1\r\n"),
      TrainWith("velocita, 0, 60\r\nsegnale, 3700, 1,4,0,0,0,0,0,0,0,0\r\n"
                "velocita, 5000, 90\r\n"));
  EXPECT_EQ(c.s.codice_errore, kBeyondCells);
  EXPECT_EQ(c.s.posizione_errore, 3700);
  EXPECT_EQ(c.s.celle.at(75)->tipo, kSignal);
  EXPECT_EQ(c.s.celle.at(0)->velocita, 0);  // stopped: no speed tail
}

TEST(TrainParserTest, WithoutGeneralNothingIsRead) {
  CompiledForTest c = Train("velocita, 0, 60\r\n[fine]\r\n");
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_EQ(c.s.celle.at(0)->velocita, 0);
  EXPECT_EQ(c.s.celle.at(1477)->velocita, 0);
}

}  // namespace
}  // namespace scenario
