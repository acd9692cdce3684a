#include "tool/commands/view_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/run.h"
#include "base/exit_status.h"
#include "base/memory_file_system.h"
#include "compiler/compile_for_test.h"
#include "model/binary_files.h"

namespace scenario {
namespace {

class Silent : public Window {
  void ShowWaiting() override {}
  void ShowMessage(std::string_view) override {}
};

int Plot(MemoryFileSystem& files, const ViewOptions& options,
         std::string* err = nullptr) {
  std::ostringstream out, errors;
  const int status = PlotCommand(options, files, out, errors);
  if (err) *err = errors.str();
  return status;
}

// Tags opened and closed in order, as a well-formedness check: every
// element closes, attributes are quoted, and no bare "&" or "<" stands in
// text.
bool WellFormed(const std::string& xml) {
  std::vector<std::string> open;
  for (size_t i = 0; i < xml.size();) {
    if (xml[i] == '&') {
      const size_t end = xml.find(';', i);
      if (end == std::string::npos || end - i > 6) return false;
      i = end + 1;
      continue;
    }
    if (xml[i] != '<') {
      ++i;
      continue;
    }
    const size_t end = xml.find('>', i);
    if (end == std::string::npos) return false;
    std::string tag = xml.substr(i + 1, end - i - 1);
    i = end + 1;
    if (tag.starts_with("?")) continue;
    if (std::count(tag.begin(), tag.end(), '"') % 2 != 0) return false;
    if (tag.starts_with("/")) {
      if (open.empty() || open.back() != tag.substr(1)) return false;
      open.pop_back();
    } else if (!tag.ends_with("/")) {
      open.push_back(tag.substr(0, tag.find(' ')));
    }
  }
  return open.empty();
}

TEST(PlotCommandTest, FromTextsAndFromThePackageAlike) {
  MemoryFileSystem files;
  Silent window;
  ASSERT_EQ(scenario::Run(window, files, "pkg"), kExitSuccess);
  files.files["src/Valdorsio-Ronsale_linea.txt"] = EmbeddedRoute();
  files.files["src/Valdorsio-Ronsale_37264-.txt"] = EmbeddedTrain();

  ASSERT_EQ(Plot(files, {.from = "pkg", .output = "a.svg"}), kExitSuccess);
  ASSERT_EQ(Plot(files, {.route = "src/Valdorsio-Ronsale_linea.txt",
                         .train = "src/Valdorsio-Ronsale_37264-.txt",
                         .output = "b.svg"}),
            kExitSuccess);
  const std::string svg = files.files["a.svg"];
  EXPECT_EQ(svg, files.files["b.svg"]);
  EXPECT_TRUE(svg.starts_with("<?xml"));
  EXPECT_TRUE(WellFormed(svg));
  for (const char* name : {"VALDORSIO", "PIEVE DI LORMANO", "RONSALE",
                           "Valdorsio-Ronsale - treno 37264", "Pendenza",
                           "Velocità di linea", "Aderenza", "20 km"}) {
    EXPECT_NE(svg.find(name), std::string::npos) << name;
  }
  // The same input gives the same bytes.
  ASSERT_EQ(Plot(files, {.from = "pkg", .output = "c.svg"}), kExitSuccess);
  EXPECT_EQ(files.files["c.svg"], svg);
}

TEST(PlotCommandTest, TextsAreEscaped) {
  MemoryFileSystem files;
  files.files["R_linea.txt"] = RouteWithBody("");
  files.files["R_1-.txt"] = TrainWith(
      "stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A&B <C> "
      "\xE8\r\n");
  ASSERT_EQ(
      Plot(files,
           {.route = "R_linea.txt", .train = "R_1-.txt", .output = "p.svg"}),
      kExitSuccess);
  const std::string svg = files.files["p.svg"];
  EXPECT_TRUE(WellFormed(svg));
  EXPECT_NE(svg.find("A&amp;B &lt;C&gt; \xC3\xA8"), std::string::npos);
}

TEST(PlotCommandTest, Failures) {
  MemoryFileSystem files;
  std::string err;
  EXPECT_EQ(Plot(files,
                 {.from = "nothing",
                  .output = "p.svg",
                  .language = Language::kEnglish},
                 &err),
            kExitFailure);
  EXPECT_NE(err.find("no package in nothing"), std::string::npos) << err;
  files.files["d/R_linea.dat"] = "xx";
  files.files["d/R_7.sim"] = std::string(87 * 34, '\0');
  files.files["d/R_7.dat"] = "short";
  EXPECT_EQ(
      Plot(files,
           {.from = "d", .output = "p.svg", .language = Language::kEnglish},
           &err),
      kExitFailure);
  EXPECT_NE(err.find("d/R_7.dat: expected a 15-byte cell record"),
            std::string::npos)
      << err;
  files.files["R_linea.txt"] = RouteWithBody("", "1000001");
  files.files["R_1-.txt"] = TrainWith("");
  EXPECT_EQ(
      Plot(files,
           {.route = "R_linea.txt", .train = "R_1-.txt", .output = "p.svg"},
           &err),
      kExitFailure);
  EXPECT_FALSE(files.files.count("p.svg"));
}

// Texts with an error are drawn as far as they were read, and both views
// say where the compile stopped, fail as check does, and show each
// message at its line.
TEST(PlotCommandTest, TextsWithAnErrorSaySoAndFail) {
  MemoryFileSystem files;
  files.files["R_linea.txt"] = RouteWithBody(
      "cartello_indicatore, 1000, a\r\ncartello_indicatore, 1000, b\r\n"
      "cartello_indicatore, 2000, c\r\ncartello_indicatore, 2000, d\r\n");
  files.files["R_1-.txt"] = TrainWith("velocita, 0, 100\r\n");
  const ViewOptions options = {.route = "R_linea.txt", .train = "R_1-.txt"};
  const std::string notice =
      "non compilato oltre R_linea.txt:5: errore 6: cartello su una cella già "
      "occupata: la cella 21 ha già un cartello, dalla riga 4 (progressiva "
      "1000). Il disegno e le tabelle mostrano quanto "
      "letto fino lì. Il testo del treno non è letto.";

  ViewOptions plot = options;
  plot.output = "p.svg";
  std::string err;
  EXPECT_EQ(Plot(files, plot, &err), kExitError);
  EXPECT_NE(err.find(notice), std::string::npos) << err;
  EXPECT_NE(files.files["p.svg"].find(notice), std::string::npos);

  ViewOptions report = options;
  report.output = "r.html";
  std::ostringstream out, errors;
  EXPECT_EQ(ReportCommand(report, files, out, errors), kExitError);
  const std::string page = files.files["r.html"];
  EXPECT_NE(page.find("<p class=\"notice\">" + notice + "</p>"),
            std::string::npos);
  // The marked line, then its message.
  EXPECT_NE(page.find("cartello_indicatore, 1000, b</pre></div><div "
                      "class=\"message error\">^ 22: errore 6"),
            std::string::npos);
  EXPECT_NE(page.find("(progressiva 2000) [trovato proseguendo la lettura"),
            std::string::npos);
}

// Points a world apart: their distance overflows, the plot still ends.
TEST(PlotCommandTest, APlanBeyondEveryScale) {
  MemoryFileSystem files;
  Silent window;
  ASSERT_EQ(scenario::Run(window, files, "d"), kExitSuccess);
  PlanPoints plan;
  plan.Assign(
      {PlanValue::Integer(0), PlanValue::Real(1e308), PlanValue::Real(-1e308)},
      {PlanValue::Integer(0), PlanValue::Real(1), PlanValue::Real(2)});
  files.files["d/Valdorsio-Ronsale_linea.dat"] = EncodeTrackPlan(plan);
  EXPECT_EQ(Plot(files, {.from = "d", .output = "p.svg"}), kExitSuccess);
  EXPECT_NE(files.files["p.svg"].find("tracciato fuori scala"),
            std::string::npos);
}

}  // namespace
}  // namespace scenario
