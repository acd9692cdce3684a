#include "compiler/reading_on.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "compiler/scenario_compiler.h"
#include "model/binary_files.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

struct Read {
  Scenario compiled;
  ReadingOn all;
};

Read ReadAll(const std::string& route, const std::string& train) {
  Read r;
  r.compiled.nome_linea = "R";
  r.compiled.numero_treno = "7";
  const Sources sources{route, train, kRoutePath, kTrainPath};
  CompileScenario(r.compiled, /*scrivi_linea=*/true, sources);
  r.all = ReadOn(r.compiled, sources);
  return r;
}

// "FILE:LINE code" for each error, with "+" when found by reading on.
std::vector<std::string> Errors(const ReadingOn& all) {
  std::vector<std::string> errors;
  for (const Diagnostic& d : all.diagnostics) {
    if (d.severity != Diagnostic::Severity::kError) continue;
    errors.push_back(d.site.file.substr(2) + ":" + std::to_string(d.site.line) +
                     " " + std::to_string(d.code) +
                     (d.found_reading_on ? "+" : ""));
  }
  return errors;
}

const std::string kStation =
    "stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, A\r\n";

TEST(ReadingOnTest, EveryErrorOfBothTextsOnce) {
  struct Case {
    const char* name;
    std::string route, train;
    std::vector<std::string> errors;
  } cases[] = {
      {"three in the route, two in the train",
       RouteWithBody("pendenza, 100, x\r\n"
                     "cartello_indicatore, 100, a\r\n"
                     "cartello_indicatore, 100, b\r\n"
                     "curvaz, 200, 10\r\n"),
       TrainWith(
           "velocita, 0, 1300\r\n" + kStation +
           "stazione, 3025, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,9,0, B\r\n"),
       {"R_linea.txt:4 25", "R_linea.txt:6 6+", "R_linea.txt:7 103+",
        "R_7-.txt:4 8+", "R_7-.txt:2 25+"}},
      {"a faulty length line: no cells, said once",
       "[generale]\r\nlunghezza percorso, x\r\n[curve]\r\n"
       "pendenza, 100, 1\r\n[fine]\r\n",
       TrainWith(kStation),
       {"R_linea.txt:2 25"}},
      {"a dropped station: the next one is not blamed for its spacing",
       RouteWithBody(""),
       TrainWith(
           kStation +
           "stazione, 2000, 8, 350, 0,0,0, 0,0,0, 0,0,0, 0, 7,5,0, B\r\n"
           "stazione, 2100, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,9,0, C\r\n"),
       {"R_7-.txt:3 9"}},
  };
  for (const Case& c : cases) {
    const Read r = ReadAll(c.route, c.train);
    EXPECT_EQ(Errors(r.all), c.errors) << c.name;
  }
}

// Reading on changes no byte of what the compile writes.
TEST(ReadingOnTest, TheCompiledScenarioIsTheFirstReadingsAlone) {
  const std::string route = RouteWithBody(
      "cartello_indicatore, 100, a\r\ncartello_indicatore, 100, b\r\n"
      "pendenza, 2000, 3\r\n");
  const std::string train = TrainWith("velocita, 0, 100\r\n");
  const Read r = ReadAll(route, train);
  Scenario alone;
  alone.nome_linea = "R";
  alone.numero_treno = "7";
  CompileScenario(alone, true, {route, train, kRoutePath, kTrainPath});
  EXPECT_EQ(r.compiled.codice_errore, kSignboardCellTaken);
  EXPECT_TRUE(EncodeCells(r.compiled.celle) == EncodeCells(alone.celle));
  EXPECT_TRUE(EncodeRecords(r.compiled.voci) == EncodeRecords(alone.voci));
}

TEST(ReadingOnTest, ATextFullOfErrorsIsCountedNotListed) {
  std::string body;
  for (int i = 0; i < 150; ++i) body += "pendenza, 100, x\r\n";
  const Read r = ReadAll(RouteWithBody(body), TrainWith(kStation));
  EXPECT_EQ(Errors(r.all).size(), kMaxErrorsPerText);
  EXPECT_EQ(r.all.omitted_errors.at(kRoutePath), 50u);
}

}  // namespace
}  // namespace scenario
