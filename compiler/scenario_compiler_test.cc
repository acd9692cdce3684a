#include "compiler/scenario_compiler.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

const FileNames kNames("d", "R", "7");

struct Compiled {
  Scenario s;
  MemoryFileSystem files;
  CompileOutcome outcome;
};

Compiled Compile(std::string_view route, std::string_view train) {
  Compiled c;
  c.files.files[kRoutePath] = std::string(route);
  c.files.files[kTrainPath] = std::string(train);
  c.s.nome_linea = "R";
  c.s.numero_treno = "7";
  c.outcome = memorizza_percorso(c.s, /*scrivi_linea=*/true, c.files,
                                 {kRoutePath, kTrainPath}, kNames);
  return c;
}

TEST(ScenarioCompilerTest, EmbeddedScenario) {
  Compiled c = Compile(EmbeddedRoute(), EmbeddedTrain());
  ASSERT_EQ(c.outcome.end, CompileOutcome::End::kComplete);
  const Scenario& s = c.s;
  EXPECT_EQ(s.codice_errore, 0);
  auto point = [&](int64_t q) {
    return s.celle.at(q)->tipo == kSpeedPoint && s.celle.at(q)->valore1 == 180;
  };
  // Around the slow-down from cell 864 to 875.
  EXPECT_TRUE(point(859) || point(858) || point(857));
  EXPECT_TRUE(point(853));
  EXPECT_TRUE(point(846));
  EXPECT_TRUE(point(872));
  EXPECT_EQ(s.celle.at(1)->valore1, 5121);
  EXPECT_EQ(s.voci[85].intero1, 610);
  // The codes of "7" and "R".
  EXPECT_EQ(s.voci[85].orario, 33947);
  EXPECT_EQ(s.celle.at(1)->valore2, 2531);
  EXPECT_EQ(c.files.written, (std::vector<std::string>{
                                 "d/R_linea.dat", "d/R_7.sim", "d/R_7.dat"}));
}

TEST(ScenarioCompilerTest, ReservedValuesAlreadyTaken) {
  struct Case {
    const char* signal;  // a signal in cell 1
    const char* error;
  } cases[] = {
      {"segnale, 0, 1,4,0,0,0,0,0,0,0,0\r\n", "1250"},
      {"segnale, 0, 0,0,1,0,0,0,0,0,0,0\r\n", "1251"},
  };
  for (const Case& c : cases) {
    Compiled compiled = Compile(EmbeddedRoute(), TrainWith(c.signal));
    EXPECT_EQ(compiled.outcome.end, CompileOutcome::End::kNumberedError);
    EXPECT_EQ(compiled.outcome.numbered_error, c.error);
    EXPECT_TRUE(compiled.files.written.empty());
  }
  // An object in cell 1 whose values stay 0 is no conflict.
  Compiled plain =
      Compile(EmbeddedRoute(), TrainWith("abbattimento, 50, 0\r\n"));
  EXPECT_EQ(plain.outcome.end, CompileOutcome::End::kComplete);
  EXPECT_EQ(plain.s.celle.at(1)->tipo, kPlainPoint);
}

TEST(ScenarioCompilerTest, NoCellsNoFiles) {
  Compiled c = Compile(RouteWithBody("", "1000001"), TrainWith(""));
  EXPECT_EQ(c.outcome.end, CompileOutcome::End::kNoCells);
  EXPECT_EQ(c.s.codice_errore, kRouteTooLong);
  EXPECT_TRUE(c.files.written.empty());
}

TEST(ScenarioCompilerTest, CodesDoNotStopTheCompile) {
  Compiled c = Compile(RouteWithBody("pendenza, 73901, 1\r\n"), TrainWith(""));
  EXPECT_EQ(c.s.codice_errore, kBeyondCells);
  EXPECT_EQ(c.outcome.end, CompileOutcome::End::kComplete);
  EXPECT_EQ(c.files.written.size(), 3u);
}

TEST(ScenarioCompilerTest, AFailedWriteIsReported) {
  Compiled c;
  c.files.files[kRoutePath] = EmbeddedRoute();
  c.files.files[kTrainPath] = EmbeddedTrain();
  c.files.read_only.insert("d/R_7.dat");
  c.outcome = memorizza_percorso(c.s, /*scrivi_linea=*/false, c.files,
                                 {kRoutePath, kTrainPath}, kNames);
  EXPECT_EQ(c.outcome.end, CompileOutcome::End::kFileFailed);
  EXPECT_EQ(c.outcome.status.path(), "d/R_7.dat");
  // The package is replaced as one: nothing of it is written. Without the
  // plan switch no plan is built.
  EXPECT_TRUE(c.files.written.empty());
  EXPECT_FALSE(c.s.tracciato.exists());
}

}  // namespace
}  // namespace scenario
