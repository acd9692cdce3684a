#include "compiler/author_compile.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <tuple>

#include "base/line_index.h"
#include "compiler/compile_for_test.h"
#include "compiler/source_lines.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

// A route whose curves go wrong in every way a compile with the plan
// stops at or warns of (no class digit, behind the cursor, beyond the
// cells, the plan past a million metres), and whose objects may stop the
// compile too, for a train that may run past a reserved cell or a taken
// one.
void MakeFaultyPair(uint64_t seed, std::string* route, std::string* train) {
  std::mt19937_64 random(seed);
  const auto pick = [&](int64_t lo, int64_t hi) {
    return std::uniform_int_distribution<int64_t>(lo, hi)(random);
  };
  const int64_t length = 50 * pick(40, 400);
  std::ostringstream r;
  r << "[generale]\r\nlunghezza percorso, " << length << "\r\n[curve]\r\n";
  for (int i = pick(0, 4); i > 0; --i) {
    const char* key[] = {"curvad3", "curvas1", "curvaz", "curvad6"};
    const int64_t at = pick(0, 1) ? 50 * pick(0, length / 50 + 10) : 999000;
    r << key[pick(0, 3)] << ", " << at << ", " << 50 * pick(0, 100) << "\r\n";
  }
  r << "[pendenze]\r\npendenza, 0, 1\r\n[indicazioni]\r\n";
  for (int i = pick(0, 2); i > 0; --i) {
    r << "cartello_indicatore, " << 50 * pick(0, length / 50) << ", X\r\n";
  }
  r << "[fine]\r\n";
  *route = r.str();
  std::ostringstream t;
  t << "[generale]\r\nvelocita, 0, 100\r\n";
  for (int i = pick(0, 3); i > 0; --i) {
    t << "segnale, " << 50 * pick(0, length / 50 + 4)
      << ", 1,4,0,0,0,0,0,0,0,0\r\n";
  }
  t << "[fine]\r\n";
  *train = t.str();
}

// What an author is told, to compare two compiles by.
using Told = std::vector<std::tuple<Long, int, int, bool>>;
Told TellOf(const AuthorCompile& compiled, bool with_plan_too) {
  Told told;
  for (const Diagnostic& d : compiled.diagnostics) {
    if (d.found_with_plan && !with_plan_too) continue;
    told.emplace_back(d.code, d.site.line, d.site.column, d.found_reading_on);
  }
  return told;
}

// Without the plan the curve lines are passed over: the compile, its code
// and all it says, curves aside, are those of the same texts with the curve
// lines left blank; what it says of the curves sits on curve lines, marked.
TEST(AuthorCompileTest, WithoutThePlanTheReportIsTheFilesOwn) {
  int with_curve_faults = 0;
  for (uint64_t seed = 0; seed < 400; ++seed) {
    std::string route, train;
    MakeFaultyPair(seed, &route, &train);
    const Identity identity{"R", "7"};
    const AuthorCompile compiled =
        CompileAuthorTexts({route, train, "R_linea.txt", "R_7-.txt", identity},
                           {.scrivi_linea = false});

    std::string blanked;
    const LineIndex lines(route);
    for (size_t n = 1; n <= lines.count(); ++n) {
      const std::string_view line = lines.Line(static_cast<int>(n));
      const bool curve =
          Names(LineOf(LineKind::kCurve), line.substr(0, line.find(',')));
      blanked += std::string(curve ? "" : line) + "\r\n";
    }
    const AuthorCompile plain = CompileAuthorTexts(
        {blanked, train, "R_linea.txt", "R_7-.txt", identity});

    SCOPED_TRACE(route + train);
    EXPECT_EQ(compiled.scenario.codice_errore, plain.scenario.codice_errore);
    EXPECT_EQ(compiled.outcome.end, plain.outcome.end);
    EXPECT_EQ(TellOf(compiled, false), TellOf(plain, true));
    bool curve_fault = false;
    for (const Diagnostic& d : compiled.diagnostics) {
      if (!d.found_with_plan) continue;
      curve_fault = true;
      const std::string_view line = lines.Line(d.site.line);
      EXPECT_TRUE(
          Names(LineOf(LineKind::kCurve), line.substr(0, line.find(','))))
          << d.code << " at line " << d.site.line;
    }
    with_curve_faults += curve_fault;
  }
  // The generator makes what the test is about.
  EXPECT_GT(with_curve_faults, 100);
}

// At 90 km/h a cell takes 2 s: from the stop of A (cell 23) to that of B
// (cell 83), 59 cells, 118 s at the least. A timetable of 118 s just
// keeps; of 117 s it cannot, and is told at B's line with both stations.
TEST(AuthorCompileTest, ATimetableTheSpeedsCannotKeepIsTold) {
  const std::string route =
      "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n[fine]\r\n";
  auto train = [](const std::string& b_time, const std::string& speed) {
    const std::string zeros = "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ";
    return "[generale]\r\norologio, 8, 0, 0\r\nvelocita, 0, " + speed +
           "\r\n"
           "stazione, 1000, 12, 400, " +
           zeros +
           "0, 0, 0, A\r\n"
           "stazione, 4000, 12, 400, " +
           zeros + b_time + ", B\r\n[fine]\r\n";
  };
  struct Case {
    std::string b_time, speed;
    std::vector<int64_t> told;  // scheduled and least; none when kept
  } cases[] = {
      {"8, 1, 58", "90", {}},
      {"8, 1, 57", "90", {117, 118}},
      {"9, 0, 0", "0", {3600, -1}},  // a speed of 0 bars the way
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.b_time + " at " + c.speed);
    const std::string text = train(c.b_time, c.speed);
    const AuthorCompile compiled = CompileAuthorTexts(
        {route, text, "R_linea.txt", "R_7-.txt", {"R", "7"}});
    std::vector<Diagnostic> told;
    for (const Diagnostic& d : compiled.diagnostics) {
      if (d.code == kTimetableNotKept) told.push_back(d);
    }
    if (c.told.empty()) {
      EXPECT_TRUE(told.empty());
      continue;
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].values, c.told);
    EXPECT_EQ(told[0].site.file, "R_7-.txt");
    EXPECT_EQ(told[0].site.line, 5);
    EXPECT_EQ(told[0].detail, "A\nB");
    EXPECT_EQ(told[0].position, 4000);
  }
}

}  // namespace
}  // namespace scenario
