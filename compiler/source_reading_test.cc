#include "compiler/source_reading.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

TEST(SourceReadingTest, EmbeddedScenarioIsReadAndBothTextsDeleted) {
  CompiledForTest c;
  ReadTexts(c, EmbeddedRoute(), EmbeddedTrain());
  EXPECT_EQ(c.s.codice_errore, 0);
  EXPECT_TRUE(c.files.files.empty());
  EXPECT_EQ(c.s.voci[85].nome, "R");
  EXPECT_EQ(c.s.voci[86].nome, "7");
}

// What is left after a reading that went wrong, as a table.
TEST(SourceReadingTest, WhatIsLeftInTheFolder) {
  struct Case {
    const char* name;
    std::optional<std::string> route, train;  // nullopt: no such file
    Long code;
    bool route_left, train_left, cells;
  } cases[] = {
      {"route missing", std::nullopt, TrainWith(""), kRouteTextMissing, false,
       true, false},
      {"no [generale] in the route", "lunghezza percorso, 1000\r\n",
       TrainWith(""), kNoGeneralSection, false, true, false},
      {"[generale] as the route's last item", "x\r\n[generale]\r\n",
       TrainWith(""), kNoGeneralSection, false, true, false},
      {"route stops after its length", RouteWithBody("curva, 0, 10\r\n"),
       TrainWith(""), kBadCurve, false, true, true},
      {"train missing", RouteWithBody(""), std::nullopt, kReadingFault, false,
       false, true},
      {"train stops", RouteWithBody(""),
       TrainWith("stazione, 75, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n"),
       kStationNotOnCell, false, false, true},
      {"route fault keeps neither", RouteWithBody("pendenza, x, 1\r\n"),
       TrainWith(""), kReadingFault, false, false, true},
      {"reference not on a cell",
       "[generale]\r\nlunghezza percorso, 1000\r\n"
       "progressiva chilometrica uno, 75, 0, 0\r\n[curve]\r\n[fine]\r\n",
       TrainWith(""), kReferenceNotOnCell, false, false, true},
  };
  for (const Case& c : cases) {
    Scenario s;
    s.scrivi_linea = 1;
    MemoryFileSystem files;
    if (c.route) files.files[kRoutePath] = *c.route;
    if (c.train) files.files[kTrainPath] = *c.train;
    memorizza_dati(s, files, {kRoutePath, kTrainPath});
    EXPECT_EQ(s.codice_errore, c.code) << c.name;
    EXPECT_EQ(files.Exists(kRoutePath), c.route_left) << c.name;
    EXPECT_EQ(files.Exists(kTrainPath), c.train_left) << c.name;
    EXPECT_EQ(s.celle.exists(), c.cells) << c.name;
  }
}

TEST(SourceReadingTest, FaultsRecordWhereTheyHappened) {
  CompiledForTest c;
  ReadTexts(c, EmbeddedRoute(),
            TrainWith("sabbia, 100\r\norologio, 5, 55, x\r\n"));
  EXPECT_EQ(c.s.codice_errore, kReadingFault);
  EXPECT_EQ(c.s.error_site.file, kTrainPath);
  EXPECT_EQ(c.s.error_site.line, 3);
  EXPECT_EQ(c.s.error_site.column, 18);
  EXPECT_EQ(c.s.error_site.fault, ErrorSite::Fault::kNotANumber);

  ReadTexts(c,
            RouteWithBody("cartello_indicatore, 100, a\r\n"
                          "cartello_indicatore, 100, b\r\n"),
            TrainWith(""));
  EXPECT_EQ(c.s.codice_errore, kSignboardCellTaken);
  EXPECT_EQ(c.s.error_site.file, kRoutePath);
  EXPECT_EQ(c.s.error_site.line, 5);
  EXPECT_EQ(c.s.error_site.column, 22);  // the position that collides
}

TEST(SourceReadingTest, AnAuthorsTextsAreLeftAlone) {
  Scenario s;
  MemoryFileSystem files;
  files.files[kRoutePath] = EmbeddedRoute();
  files.files[kTrainPath] = EmbeddedTrain();
  memorizza_dati(s, files, {kRoutePath, kTrainPath, false});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(files.files.size(), 2u);
}

}  // namespace
}  // namespace scenario
