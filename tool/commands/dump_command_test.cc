#include "tool/commands/dump_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "app/run.h"
#include "base/exit_status.h"
#include "base/memory_file_system.h"

namespace scenario {
namespace {

using nlohmann::json;

constexpr char kCells[] = "p/Valdorsio-Ronsale_37264.dat";
constexpr char kBank[] = "p/Valdorsio-Ronsale_37264.sim";
constexpr char kPlan[] = "p/Valdorsio-Ronsale_linea.dat";

// The embedded package, written by the program into memory once.
MemoryFileSystem& Package() {
  static MemoryFileSystem* files = [] {
    auto* package = new MemoryFileSystem;
    class Silent : public Window {
      void ShowWaiting() override {}
      void ShowMessage(std::string_view) override {}
    } window;
    scenario::Run(window, *package, "p");
    return package;
  }();
  return *files;
}

struct Dumped {
  int status;
  std::string out, err;
};

Dumped Dump(const std::string& file, const std::string& format,
            const std::string& kind = "",
            Language language = Language::kItalian) {
  std::ostringstream out, err;
  const int status =
      DumpCommand({file, kind, format, language}, Package(), out, err);
  return {status, out.str(), err.str()};
}

// Row `index` of a text table (0 is the header).
std::string Row(const std::string& table, int index) {
  std::istringstream in(table);
  std::string line;
  for (int i = 0; i <= index && std::getline(in, line); ++i) {
  }
  return line;
}

TEST(DumpCommandTest, CellsShowWhatTheModelHolds) {
  Dumped text = Dump(kCells, "text");
  ASSERT_EQ(text.status, kExitSuccess) << text.err;
  EXPECT_NE(Row(text.out, 2).find("formato 5121"), std::string::npos);
  EXPECT_NE(Row(text.out, 76).find("segnale: s1/d1 4/0, s2/d2 1/0"),
            std::string::npos)
      << Row(text.out, 76);
  EXPECT_NE(Row(text.out, 841).find("avviso rallentamento: 35 km/h"),
            std::string::npos);
  EXPECT_NE(Row(text.out, 8).find("fermata della stazione n. 1"),
            std::string::npos);

  const json cells = json::parse(Dump(kCells, "json").out)["cells"];
  ASSERT_EQ(cells.size(), 1481u);
  EXPECT_EQ(cells[1]["valore1"], 5121);
  EXPECT_EQ(cells[75]["tipo"], 1);
  EXPECT_EQ(cells[0]["velocita"], 13);

  const std::string csv = Dump(kCells, "csv").out;
  EXPECT_EQ(Row(csv, 0),
            "cella,tipo,valore1,valore2,valore3,valore4,tempo,"
            "preavviso,montagna,velocita,pendenza,aderenza");
  EXPECT_EQ(Row(csv, 76), "75,1,40,10,0,3,0,0,0,22,96,85");
}

TEST(DumpCommandTest, BankShowsStationsSignboardsAndGeneralSlots) {
  Dumped text = Dump(kBank, "text");
  ASSERT_EQ(text.status, kExitSuccess) << text.err;
  EXPECT_EQ(Row(text.out, 3),
            "     2  stazione MORLANZONE: tipo 24, progressiva 5450, zona "
            "5300..5600, orario 6:05:15, byte1..5 0 0 60 0 0, intero1..5 0 0 "
            "4 1 1");
  EXPECT_EQ(Row(text.out, 81), "    80  cartello: (P.L.Km)(60+900)");
  EXPECT_NE(Row(text.out, 86).find("linea Valdorsio-Ronsale"),
            std::string::npos);
  EXPECT_NE(Row(text.out, 86).find("formato 610"), std::string::npos);
  EXPECT_NE(Row(text.out, 87).find("orologio 5:55:45"), std::string::npos);

  const json records = json::parse(Dump(kBank, "json").out)["records"];
  ASSERT_EQ(records.size(), 87u);
  EXPECT_EQ(records[2]["orario"], 21915);
  EXPECT_EQ(records[2]["ruolo"], "stazione");
  EXPECT_EQ(records[33]["ruolo"], "cartello");
  EXPECT_EQ(records[12]["ruolo"], "vuoto");
}

TEST(DumpCommandTest, PlanShowsPointsAndEmptyOnes) {
  Dumped text = Dump(kPlan, "text");
  ASSERT_EQ(text.status, kExitSuccess) << text.err;
  EXPECT_EQ(Row(text.out, 2), "     1  0 (intero)  1 (intero)");
  EXPECT_EQ(Row(text.out, 3), "     2  0.000000  2.000000");
  EXPECT_EQ(Row(text.out, 74001), " 74000  vuoto  vuoto");

  const json plan = json::parse(Dump(kPlan, "json").out);
  EXPECT_EQ(plan["points"], 74001);
  EXPECT_EQ(plan["y"][700], 700.0);
  EXPECT_TRUE(plan["x"][74000].is_null());
  EXPECT_EQ(Row(Dump(kPlan, "csv").out, 74001), "74000,,");
}

TEST(DumpCommandTest, DamagedFilesGetAClearError) {
  MemoryFileSystem& files = Package();
  for (const char* name : {kCells, kBank, kPlan}) {
    const std::string whole = files.files[name];
    files.files["p/cut"] = whole.substr(0, whole.size() - 3);
    Dumped cut = Dump("p/cut", "text", std::string(KindName(KindOfFile(name))),
                      Language::kEnglish);
    EXPECT_EQ(cut.status, kExitFailure) << name;
    EXPECT_TRUE(cut.out.empty()) << name;
    EXPECT_NE(cut.err.find("p/cut is no "), std::string::npos) << cut.err;
    EXPECT_NE(cut.err.find(" at byte "), std::string::npos) << cut.err;
  }
  Dumped unknown = Dump("p/cut", "text");
  EXPECT_EQ(unknown.status, kExitFailure);
  EXPECT_NE(unknown.err.find("--kind"), std::string::npos);
}

}  // namespace
}  // namespace scenario
