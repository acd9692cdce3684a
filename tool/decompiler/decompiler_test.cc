#include "tool/decompiler/decompiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>

#include "compiler/compile_for_test.h"
#include "compiler/scenario_compiler.h"
#include "model/binary_files.h"

namespace scenario {
namespace {

// The package a pair of texts compiles to; nullopt when the compile gives
// a code (such a package is not expected to come back exactly).
std::optional<PackageBytes> Compile(const std::string& route,
                                    const std::string& train, bool plan,
                                    Long* code = nullptr) {
  Scenario s;
  const Sources sources = {route, train, "R_linea.txt", "R_7-.txt"};
  SetIdentity(s, {"R", "7"}, sources);
  const CompileOutcome outcome = CompileScenario(s, plan, sources);
  if (outcome.end != CompileOutcome::End::kComplete ||
      (code == nullptr && s.codice_errore != 0)) {
    return std::nullopt;
  }
  if (code != nullptr) *code = s.codice_errore;
  PackageBytes package{
      "R", "7", EncodeCells(s.celle), EncodeRecords(s.voci), {}};
  if (plan) package.plan = EncodeTrackPlan(s.tracciato);
  return package;
}

// Valid scenarios of every kind of line, from a seed: lengths, references,
// backgrounds, cab signals, curves, gradients, mountain stretches, speed
// boards, signboards; coaches, clock, adhesion, speeds, stations, a
// slow-down, signals and "abbattimento" points. Objects take cells of
// their own, as an author's do.
class ScenarioGenerator {
 public:
  // `wild`: shapes an author's texts take beyond the tidy ones: objects
  // off the 50 m grid and crowding each other, values past their byte,
  // slow-downs and boards across stations, references out of order.
  explicit ScenarioGenerator(uint64_t seed, bool wild = false)
      : random_(seed), wild_(wild) {}

  void Make(std::string* route, std::string* train) {
    used_.clear();
    const int64_t length = 50 * Pick(60, 1200);  // 3 to 60 km
    std::ostringstream r;
    r << "[generale]\r\nlunghezza percorso, " << length << "\r\n";
    const int references = Pick(0, 2);
    if (references == 1) {
      r << "progressiva chilometrica uno, 0, " << 50 * Pick(0, 2000) << ", "
        << Pick(0, 1) << "\r\n";
    } else if (references == 2) {
      const char* names[] = {"uno", "due", "tre"};
      int64_t start = 0;
      for (const char* name : names) {
        start += 50 * Pick(1, 40);
        r << "progressiva chilometrica " << name << ", " << start << ", "
          << 50 * Pick(0, 2000) << ", " << Pick(0, 1) << "\r\n";
      }
    }
    if (wild_ && Pick(0, 1)) {
      // Out of order, in any order of lines; the ordering sorts them.
      std::string lines[] = {"uno", "due", "tre"};
      std::shuffle(std::begin(lines), std::end(lines), random_);
      for (const std::string& name : lines) {
        r << "progressiva chilometrica " << name << ", " << 50 * Pick(0, 400)
          << ", " << 50 * Pick(0, 2000) << ", " << Pick(0, 1) << "\r\n";
      }
    }
    for (const char* name : {"uno", "due", "tre"}) {
      r << "sfondo " << name << ", " << Pick(0, 4) << "\r\n";
    }
    const int64_t cab = 50 * Pick(0, length / 100);
    r << "ripetizione segnali " << (Pick(0, 1) ? 4 : 9) << " codici, " << cab
      << ", " << (Pick(0, 1) ? cab + 50 * Pick(1, 20) : 0) << "\r\n";
    r << "[curve]\r\n";
    for (int64_t at = 50 * Pick(2, 40); at < length - 2000;
         at += 50 * Pick(20, 120)) {
      const int64_t run = 50 * Pick(1, 30);
      r << "curva" << (Pick(0, 1) ? "d" : "s") << Pick(1, 6) << ", " << at
        << ", " << run << "\r\n";
      at += run;
    }
    r << "[pendenze]\r\n";
    for (int64_t at = 0; at < length; at += 50 * Pick(2, 80)) {
      r << "pendenza, " << at << ", " << Pick(-25, 25) << "\r\n";
    }
    r << "[montagne]\r\n";
    for (int64_t at = 50 * Pick(10, 60); at < length - 1000;
         at += 50 * Pick(10, 200)) {
      const int64_t end = at + 50 * Pick(2, 30);
      r << "montagna, " << at << ", " << end << ", "
        << Pick(1, 5) + (Pick(0, 1) ? 10 : 0) << "\r\n";
      at = end + 200;
    }
    r << "[cartelli]\r\n";
    for (int i = Pick(0, 6); i > 0; --i) {
      const int64_t at = Place(length, 1);
      if (at < 0) continue;
      r << "indicatori_vmax, " << at << ", " << 5 * Pick(2, 30) << ", "
        << 5 * Pick(2, 30) << ", " << 5 * Pick(2, 30) << ", " << Pick(0, 9)
        << ", " << 5 * Pick(0, 19) << ", " << 5 * Pick(0, 19) << ", "
        << 5 * Pick(0, 19) << ", " << Pick(0, 9) << "\r\n";
    }
    r << "[indicazioni]\r\n";
    for (int i = Pick(0, 12); i > 0; --i) {
      const int64_t at = Place(length, 1);
      if (at < 0) continue;
      r << "cartello_indicatore, " << at << ", (P.L.Km)(" << Pick(0, 99) << "+"
        << 50 * Pick(0, 19) << ")\r\n";
    }
    r << "[fine]\r\n";
    *route = r.str();

    std::ostringstream t;
    t << "[generale]\r\nnumero vetture, " << Pick(1, 12)
      << "\r\npercentuale massa frenata, " << Pick(50, 150) << "\r\nsabbia, "
      << Pick(0, 200) << "\r\norologio, " << Pick(0, 23) << " " << Pick(0, 59)
      << " " << Pick(0, 59) << "\r\n[aderenze]\r\n";
    for (int64_t at = 0; at < length; at += 50 * Pick(20, 200)) {
      t << "aderenza, " << at << ", " << Pick(60, wild_ ? 300 : 99) << "\r\n";
    }
    t << "[vel_limite]\r\n";
    for (int64_t at = 0; at < length; at += 50 * Pick(20, 200)) {
      t << "velocita, " << at << ", " << 5 * Pick(4, 32) << "\r\n";
    }
    t << "[stazioni]\r\n";
    const int types[] = {2, 5, 7, 8, 12, 23, 24, 28};
    int number = 0;
    for (int64_t at = 50 * Pick(30, 60); at < length - 1000;
         at += 50 * Pick(30, 300)) {
      const int type = types[Pick(0, 7)];
      const int64_t zone = 100 * Pick(3, 5);
      // The zone and its markers keep to cells no other object takes.
      for (int64_t c = (at - zone) / 50 - 6; c <= (at + zone) / 50 + 4; ++c) {
        used_.insert(c);
      }
      t << "stazione, " << at << ", " << type << ", " << zone << ", "
        << Pick(0, 1) << ", " << Pick(0, 1) << ", " << Pick(0, 1) << ", "
        << Pick(0, 4) << ", " << Pick(0, 1) << ", 0, " << Pick(0, 4) << ", "
        << Pick(0, 1) << ", " << Pick(0, 1) << ", " << Pick(0, 99) << ", "
        << 6 + number / 4 << ", " << number % 4 * 10 << ", " << Pick(0, 59)
        << ", STAZIONE " << number + 1 << "\r\n";
      ++number;
      at += zone + 400;
    }
    t << "[rallentamenti]\r\n";
    if (Pick(0, 1) && length > 6000) {
      const int64_t start =
          50 * Pick(40, (length - 2000) / 50) + (wild_ ? Pick(-24, 24) : 0);
      const int64_t slow = wild_ ? Pick(10, 1500) : 50 * Pick(2, 20);
      bool free = true;
      for (int64_t c = start / 50 - 30; c <= (start + slow) / 50 + 14; ++c) {
        free = free && (wild_ || !used_.count(c));
      }
      if (free) {
        for (int64_t c = start / 50 - 30; c <= (start + slow) / 50 + 14; ++c) {
          used_.insert(c);
        }
        t << "rallentamento, " << start << ", " << 5 * Pick(4, 26) << ", "
          << slow << ", " << Pick(0, 3) << ", " << Pick(0, 1) << ", "
          << (Pick(0, 1) ? 5 * Pick(4, 20) : 0) << "\r\n";
      }
    }
    t << "[segnali]\r\n";
    for (int i = Pick(0, 15); i > 0; --i) {
      const int64_t at = Place(length, 2);
      if (at < 0) continue;
      const int sx = Pick(1, 2);
      t << "segnale, " << at << ", " << sx << ", " << Pick(2, 5) << ", "
        << Pick(0, 4) << ", " << Pick(0, 1) << ", " << Pick(0, 1) << ", "
        << Pick(0, 2) << ", " << Pick(0, 9) << ", " << Pick(0, 9) << ", "
        << Pick(0, 9) << ", " << (sx == 2 ? Pick(0, wild_ ? 600 : 200) : 0)
        << "\r\n";
    }
    for (int i = Pick(0, 2); i > 0; --i) {
      const int64_t at = Place(length, 0);
      if (at < 0) continue;
      t << "abbattimento, " << at << ", "
        << (Pick(0, 3) == 0 ? 180
            : Pick(0, 1)    ? 0
                            : 5 * Pick(4, 40))
        << "\r\n";
    }
    t << "[fine]\r\n";
    *train = t.str();
  }

 private:
  int64_t Pick(int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(random_);
  }
  // A progressive whose object cell (the next cell when `after` is 1) and
  // its neighbours (`room` cells each side) nothing else takes; -1 if none
  // was found.
  int64_t Place(int64_t length, int64_t room) {
    if (wild_ && Pick(0, 2) == 0) {
      // Anywhere, off the grid too, whatever stands near.
      return 50 * Pick(40, (length - 200) / 50) + Pick(-24, 24);
    }
    for (int tries = 0; tries < 20; ++tries) {
      const int64_t at = 50 * Pick(40, (length - 200) / 50) +
                         (wild_ && Pick(0, 1) ? Pick(-24, 24) : 0);
      const int64_t cell = at / 50 + 1;
      bool free = true;
      for (int64_t c = cell - room - 9; c <= cell + room; ++c) {
        free = free && !used_.count(c);
      }
      if (!free) continue;
      for (int64_t c = cell - room - 9; c <= cell + room; ++c) used_.insert(c);
      return at;
    }
    return -1;
  }

  std::mt19937_64 random_;
  bool wild_;
  std::set<int64_t> used_;
};

TEST(DecompilerTest, TheEmbeddedPackageComesBackByteForByte) {
  const auto package = Compile(EmbeddedRoute(), EmbeddedTrain(), true);
  ASSERT_TRUE(package);
  const Decompiled texts = Decompile(*package, Language::kItalian);
  EXPECT_TRUE(texts.mismatches.empty()) << texts.mismatches[0].where;
  const auto again = Compile(texts.route_text, texts.train_text, true);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->cells, package->cells);
  EXPECT_EQ(again->bank, package->bank);
  EXPECT_EQ(again->plan, package->plan);
}

// Generated scenarios, with and without a plan: every one that compiles
// without a code comes back. SCENARIO_ROUND_TRIPS sets how many, from the
// seed SCENARIO_ROUND_TRIPS_FROM on (CI's fuzz stage runs thousands more).
TEST(DecompilerTest, EveryGeneratedValidScenarioComesBack) {
  const char* asked = std::getenv("SCENARIO_ROUND_TRIPS");
  const char* from = std::getenv("SCENARIO_ROUND_TRIPS_FROM");
  const int cases = asked ? std::atoi(asked) : 300;
  const int first = from ? std::atoi(from) : 0;
  int valid[2] = {0, 0};
  for (int seed = first; seed < first + cases; ++seed) {
    for (const bool wild : {false, true}) {
      ScenarioGenerator generator(static_cast<uint64_t>(seed), wild);
      std::string route, train;
      generator.Make(&route, &train);
      const bool plan = seed % 4 != 3;
      const auto package = Compile(route, train, plan);
      if (!package) continue;
      ++valid[wild];
      const Decompiled texts = Decompile(*package, Language::kEnglish);
      ASSERT_TRUE(texts.mismatches.empty())
          << (wild ? "wild " : "") << "seed " << seed << ": "
          << texts.mismatches[0].file << " " << texts.mismatches[0].where
          << " expected " << texts.mismatches[0].expected << " found "
          << texts.mismatches[0].found << "\n"
          << route << "\n"
          << train;
    }
  }
  // Most generated scenarios are valid: the test tries what it means to.
  EXPECT_GT(valid[0], cases / 2);
  EXPECT_GT(valid[1], cases / 2);
}

// Packages of texts with a code (compile --write-on-error) come back too:
// where the route's reading stopped, the texts stop it at the same place.
TEST(DecompilerTest, EveryGeneratedPackageWithACodeComesBack) {
  const char* asked = std::getenv("SCENARIO_ROUND_TRIPS");
  const char* from = std::getenv("SCENARIO_ROUND_TRIPS_FROM");
  const int cases = asked ? std::atoi(asked) : 300;
  const int first = from ? std::atoi(from) : 0;
  int coded = 0;
  for (int seed = first; seed < first + cases; ++seed) {
    ScenarioGenerator generator(static_cast<uint64_t>(seed), /*wild=*/true);
    std::string route, train;
    generator.Make(&route, &train);
    Long code = 0;
    const auto package = Compile(route, train, seed % 4 != 3, &code);
    if (!package || code == 0) continue;
    ++coded;
    const Decompiled texts = Decompile(*package, Language::kEnglish);
    ASSERT_TRUE(texts.mismatches.empty())
        << "seed " << seed << ", code " << code << ": "
        << texts.mismatches[0].file << " " << texts.mismatches[0].where
        << " expected " << texts.mismatches[0].expected << " found "
        << texts.mismatches[0].found << "\n"
        << route << "\n"
        << train;
  }
  EXPECT_GT(coded, cases / 10);
}

TEST(DecompilerTest, ADamagedOrChangedPackageIsToldWhere) {
  auto package = Compile(EmbeddedRoute(), EmbeddedTrain(), true);
  ASSERT_TRUE(package);
  PackageBytes cut = *package;
  cut.cells.resize(cut.cells.size() - 7);
  EXPECT_FALSE(Decompile(cut, Language::kEnglish).damaged.ok());
  // A signal's cell turned into a kind no text writes.
  PackageBytes changed = *package;
  changed.cells[75 * kCellRecordSize] = 9;
  const Decompiled texts = Decompile(changed, Language::kEnglish);
  ASSERT_FALSE(texts.mismatches.empty());
  EXPECT_EQ(texts.mismatches[0].file, "cells");
  // Its approach markers are the first thing missing.
  EXPECT_EQ(texts.mismatches[0].where, "cell 67 preavviso");
  EXPECT_NE(texts.train_text.find("- doubtful: cell 67 preavviso expected 34"),
            std::string::npos);

  // A second cell changed far away: each doubtful line is commented, not
  // only the one nearest the first difference.
  changed.cells[1000 * kCellRecordSize] = 9;
  const Decompiled two = Decompile(changed, Language::kEnglish);
  size_t comments = 0;
  for (size_t at = 0;
       (at = two.train_text.find("- doubtful:", at)) != std::string::npos;
       ++at) {
    ++comments;
  }
  EXPECT_GE(comments, 2u) << two.train_text;
  EXPECT_NE(two.train_text.find("- doubtful: cell 1000 tipo expected 9"),
            std::string::npos)
      << two.train_text;
}

}  // namespace
}  // namespace scenario
