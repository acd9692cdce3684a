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
    EXPECT_TRUE(memorizza_dati(s, files, {kRoutePath, kTrainPath}).ok());
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

// The reading of texts in memory: the program's texts, and an author's
// that a tool gives, read alike.
TEST(SourceReadingTest, TextsInMemoryReadAsFiles) {
  const std::string route = EmbeddedRoute();
  const std::string train = EmbeddedTrain();
  Scenario from_memory;
  from_memory.scrivi_linea = true;
  const SourcesRead read =
      ReadSources(from_memory, {route, train, kRoutePath, kTrainPath});
  EXPECT_TRUE(read.train);
  CompiledForTest from_files;
  ReadTexts(from_files, route, train);
  EXPECT_EQ(from_memory.codice_errore, 0);
  EXPECT_EQ(from_memory.celle.all(), from_files.s.celle.all());
  EXPECT_EQ(from_memory.voci[kTrainSlot], from_files.s.voci[kTrainSlot]);
  EXPECT_EQ(from_memory.tracciato, from_files.s.tracciato);

  // A route stop leaves the train text unread; a fault uses up both.
  Scenario stopped;
  EXPECT_FALSE(ReadSources(stopped, {"x\r\n", train, "r", "t"}).train);
  Scenario faulted;
  EXPECT_TRUE(ReadSources(faulted, {RouteWithBody("pendenza, x, 1\r\n"), train,
                                    "r", "t"})
                  .train);
}

}  // namespace
}  // namespace scenario
