#include "base/file_names.h"

#include <gtest/gtest.h>

#include "base/platform.h"

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

TEST(FileNamesTest, AFolderOfSeveralPackagesAsksWhichOne) {
  const std::vector<std::string> two = {"A_linea.dat", "A_1.sim", "A_1.dat",
                                        "B_linea.dat", "B_2.sim", "B_2.dat"};
  EXPECT_TRUE(SeveralPackages(two, {}));
  EXPECT_FALSE(SeveralPackages(two, {"B", "2"}));
  EXPECT_TRUE(SeveralPackages(
      {"A_linea.dat", "A_1.sim", "A_1.dat", "A_2.sim", "A_2.dat"}, {}));
  EXPECT_TRUE(
      SeveralPackages({"A_1.sim", "A_1.dat", "B_2.sim", "B_2.dat"}, {}));
  EXPECT_FALSE(SeveralPackages({"A_1.sim", "A_1.dat", "B_2.sim"}, {}));
  EXPECT_FALSE(SeveralPackages({"A_linea.dat", "A_1.sim", "A_1.dat"}, {}));
}

// Every name read back from a file name, one row a case: what the rule
// gives, and what it must give.
TEST(FileNamesTest, NamesReadBackFromFileNames) {
  const auto kind = [](std::string_view path) {
    return std::string(KindName(KindOfFile(path)));
  };
  const auto package = [](std::vector<std::string> names, Identity given) {
    const Identity found = PackageIdentity(names, given);
    return found.route_name + "|" + found.train_number;
  };
  struct Case {
    std::string actual;
    const char* expected;
  } cases[] = {
      {RouteNameOf("x/Valdorsio-Ronsale_linea.txt"), "Valdorsio-Ronsale"},
      {RouteNameOf("_linea.txt"), ""},
      {RouteNameOf("route.txt"), ""},
      {TrainNumberOf("x/R_37264-.txt", "R"), "37264"},
      {TrainNumberOf("x/R_-.txt", "R"), ""},
      {TrainNumberOf("x/S_1-.txt", "R"), ""},
      {TrainNumberOf("x/R_1-.txt", ""), ""},
      {NameBetween("a_b/c_linea.txt", "", "_linea.txt"), "c"},
      {IdentityOf("d/R_linea.txt", "d/R_7-.txt", {}).train_number, "7"},
      {IdentityOf("route.txt", "R_7-.txt", {"R", ""}).train_number, "7"},
      {IdentityOf("S_linea.txt", "S_7-.txt", {"", "9"}).train_number, "9"},
      {kind("a/R_linea.dat"), "plan"},
      {kind("R_7.sim"), "train"},
      {kind("R_7.dat"), "cells"},
      {kind("R_7.txt"), ""},
      {package({"R_7.dat", "R_7.sim", "R_linea.dat"}, {}), "R|7"},
      // Found from any of its files: the plan is not needed.
      {package({"R_7.dat", "R_7.sim"}, {}), "R|7"},
      {package({"d/Val_d_7.sim", "d/Val_d_7.dat"}, {}), "Val_d|7"},
      // The plan file tells where a route name with "_" ends.
      {package({"A_b_c.sim", "A_b_c.dat", "A_linea.dat"}, {}), "A|b_c"},
      {package({"R_7.sim", "x.txt"}, {}), "|"},
      {package({"R_7.sim", "S_8.sim", "S_8.dat"}, {"S", ""}), "S|8"},
      {package({"R_7.sim", "R_7.dat", "R_8.sim", "R_8.dat"}, {"", "8"}), "R|8"},
      {package({"R_linea.dat"}, {"", "9"}), "|9"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

// A name Windows would refuse as a file name is refused where its rules
// hold, and elsewhere only found, for a warning.
TEST(FileNamesTest, NamesWindowsForbidsAreRefusedOnlyOnWindows) {
  const struct {
    const char* route;
    const char* train;
    bool forbidden;
    bool route_at_fault;
  } cases[] = {
      {"Valdorsio-Ronsale", "37264", false, false},
      {"Città", "1", false, false},
      {"Linea<1>", "1", true, true},
      {"A:B", "1", true, true},
      {"Lin\\ea", "1", true, true},
      {"Linea.", "1", true, true},
      {"Linea ", "1", true, true},
      {"Linea", "12?", true, false},
      {"Linea", "a|b", true, false},
      {"Linea", "\"7\"", true, false},
  };
  for (const auto& c : cases) {
    const Identity identity{c.route, c.train};
    bool is_route = false;
    EXPECT_EQ(CheckForWindows(identity, &is_route),
              c.forbidden ? NameFault::kNotForWindows : NameFault::kNone)
        << c.route << " " << c.train;
    if (c.forbidden) {
      EXPECT_EQ(is_route, c.route_at_fault) << c.route;
    }
    EXPECT_EQ(CheckIdentity(identity, &is_route) == NameFault::kNotForWindows,
              c.forbidden && kWindowsFileNames)
        << c.route << " " << c.train;
  }
}

TEST(FileNamesTest, ProgramFolderHoldsTheRunningProgram) {
  std::string folder;
  ASSERT_TRUE(ProgramFolder(&folder).ok());
  EXPECT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), kPathSeparator);
}

}  // namespace
}  // namespace scenario
