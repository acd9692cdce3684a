#include "base/file_names.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(FileNamesTest, NamesOfTheEmbeddedScenario) {
  FileNames names("/opt/sim", "Valdorsio-Ronsale", "37264");
  struct Case {
    std::string actual;
    const char* expected;
  } cases[] = {
      {names.RouteSource(), "/opt/sim/Valdorsio-Ronsale_linea.txt"},
      {names.TrainSource(), "/opt/sim/Valdorsio-Ronsale_37264-.txt"},
      {names.Notes(), "/opt/sim/Valdorsio-Ronsale_37264_note.txt"},
      {names.SlowOrders(),
       "/opt/sim/Valdorsio-Ronsale_37264_rallentamenti.txt"},
      {names.TrainCard(), "/opt/sim/Valdorsio-Ronsale_37264_scheda_treno.txt"},
      {names.RoutePlan(), "/opt/sim/Valdorsio-Ronsale_linea.dat"},
      {names.TrainBank(), "/opt/sim/Valdorsio-Ronsale_37264.sim"},
      {names.Cells(), "/opt/sim/Valdorsio-Ronsale_37264.dat"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(FileNamesTest, IdentifiersAreUsedVerbatim) {
  FileNames names("d", "A b", "x.Y");
  EXPECT_EQ(names.TrainSource(), "d/A b_x.Y-.txt");
  EXPECT_EQ(names.RoutePlan(), "d/A b_linea.dat");
}

TEST(FileNamesTest, ProgramFolderHoldsTheRunningProgram) {
  std::string folder;
  ASSERT_TRUE(ProgramFolder(&folder).ok());
  EXPECT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), kPathSeparator);
}

}  // namespace
}  // namespace scenario
