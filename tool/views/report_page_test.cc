#include "tool/views/report_page.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "tool/views/report_page_for_test.h"

namespace scenario {
namespace {

TEST(ReportPageTest,
     ThePageHoldsEveryStationSignalAndItsDataAndFetchesNothing) {
  const ScenarioInput input = FromTexts(EmbeddedRoute(), EmbeddedTrain());
  const std::string page =
      ReportPage(input, "R_linea.txt", "R_7-.txt", Language::kEnglish);
  const nlohmann::json data = PageData(page);
  size_t signals = 0;
  for (const auto& o : data["objects"]) {
    signals += data["kinds"][o[0].get<size_t>()] == "signal";
  }
  EXPECT_EQ(signals, 25u);
  EXPECT_EQ(data["stations"].size(), 11u);
  EXPECT_EQ(data["curves"].size(), 17u);
  // The last three cells hold no profile; the profiles go as their runs.
  EXPECT_EQ(data["cells"], input.s.celle.all().size() - 3);
  const nlohmann::json& line = data["line"];
  EXPECT_EQ(line[0], 0);
  for (size_t k = 2; k < line.size(); k += 2) {
    EXPECT_LT(line[k - 2], line[k]);
    EXPECT_NE(line[k - 1], line[k + 1]);
  }
  // Nothing comes from outside.
  EXPECT_EQ(page.find("src="), std::string::npos);
  EXPECT_EQ(page.find("http://", page.find("<body>")) ==
                page.find("http://www.w3.org/2000/svg", page.find("<body>")),
            true);
  EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
  EXPECT_NE(page.find("no diagnostics"), std::string::npos);
}

// The graph timetable: a line for each stretch, and in red the one the
// speeds cannot keep.
TEST(ReportPageTest, TheGraphTimetableMarksWhatCannotBeKept) {
  std::string tight = EmbeddedTrain();
  tight.replace(tight.find("6, 5,15, MORLANZONE"), 19, "5,57, 0, MORLANZONE");
  for (const auto& [train, not_kept] :
       {std::pair{EmbeddedTrain(), 0u}, std::pair{tight, 1u}}) {
    const std::string page =
        ReportPage(FromTexts(EmbeddedRoute(), train), "R_linea.txt", "R_7-.txt",
                   Language::kEnglish);
    const size_t chart = page.find("<svg id=\"timetable-chart\"");
    ASSERT_NE(chart, std::string::npos);
    const std::string svg =
        page.substr(chart, page.find("</svg>", chart) - chart);
    // Ten stretches, and the key's two.
    EXPECT_EQ(Count(svg, "<line class=\"scheduled"), 10u + 2);
    EXPECT_EQ(Count(svg, "class=\"scheduled not-kept\" x1"), not_kept + 1);
    EXPECT_EQ(Count(svg, "cannot be kept</title>"), not_kept);
  }
}

// The tables speak in the lines' words: each kilometric reference names
// the line it was read from and how the compile ordered it, a slow-down
// its start and end, a station whether the train stops.
TEST(ReportPageTest, TheTablesNameWhatTheyShow) {
  const std::string page =
      ReportPage(FromTexts(EmbeddedRoute(), EmbeddedTrain()), "R_linea.txt",
                 "R_7-.txt", Language::kEnglish);
  const nlohmann::json data = PageData(page);
  // "uno" alone has a km, so the compile puts it first, in "tre"'s record.
  EXPECT_EQ(data["references"][0],
            nlohmann::json({0, "81 (tre)", "progressiva chilometrica uno", 0,
                            "65100 (65000 + 100 for the flag)", 1}));
  EXPECT_EQ(data["references"][2][2], "progressiva chilometrica tre");
  EXPECT_NE(page.find("A flag of 1 adds 100 m to the km."), std::string::npos);
  EXPECT_EQ(data["words"]["slowDownColumns"],
            nlohmann::json({"start (m)", "end (m)", "values"}));
  EXPECT_EQ(data["stations"][0][2], "8 (stop)");
  EXPECT_EQ(page.find("rapp·10"), std::string::npos);
}

TEST(ReportPageTest, EachDiagnosticLeadsToItsMarkedLine) {
  std::string train = EmbeddedTrain();
  train.replace(train.find("stazione,    5450"), 17, "stazione,    5475");
  const ScenarioInput input = FromTexts(EmbeddedRoute(), train);
  const std::string page =
      ReportPage(input, "R_linea.txt", "R_7-.txt", Language::kItalian);
  // The link's anchor, "train-N", and the line that carries it.
  const std::string link = "<a href=\"#";
  const size_t at = page.find(link + "train-");
  ASSERT_NE(at, std::string::npos);
  const size_t from = at + link.size();
  const std::string anchor = page.substr(from, page.find('"', from) - from);
  EXPECT_EQ(page.substr(page.find('>', from) + 1, 8), "R_7-.txt");
  EXPECT_NE(page.find("class=\"lines marked\" id=\"" + anchor + "\""),
            std::string::npos);
  EXPECT_NE(page.find("errore 8"), std::string::npos);
}

}  // namespace
}  // namespace scenario
