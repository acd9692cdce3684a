#include "tool/views/svg_plot.h"

#include <gtest/gtest.h>

#include "compiler/author_compile.h"
#include "compiler/compile_for_test.h"

namespace scenario {
namespace {

Scenario Compiled(bool scrivi_linea) {
  const std::string route = RouteWithBody("curvad3, 100, 500\r\n");
  const std::string train = TrainWith(
      "stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, MONTE\r\n");
  return CompileAuthorTexts(
             {route, train, "R_linea.txt", "R_1-.txt", {"R", "1"}},
             {.scrivi_linea = scrivi_linea, .diagnose = false})
      .scenario;
}

// One plot a scenario and a language: the same bytes every time, every
// heading in the language asked and none in the other.
TEST(SvgPlotTest, TheSameScenarioGivesTheSameBytesInItsLanguage) {
  const Scenario s = Compiled(/*scrivi_linea=*/true);
  const PlanSketch plan = PlanSketch::Of(s);
  const std::string it = PlotSvg(s, plan, "R", Language::kItalian);
  EXPECT_EQ(PlotSvg(s, plan, "R", Language::kItalian), it);
  const std::string en = PlotSvg(s, plan, "R", Language::kEnglish);
  for (const char* italian : {"Tracciato, nord in alto", "Pendenza (‰)",
                              "Velocità di linea (km/h)", "curva a destra"}) {
    EXPECT_NE(it.find(italian), std::string::npos) << italian;
    EXPECT_EQ(en.find(italian), std::string::npos) << italian;
  }
  for (const char* english : {"Track plan, north up", "Gradient (‰)",
                              "Line speed (km/h)", "curve to the right"}) {
    EXPECT_NE(en.find(english), std::string::npos) << english;
  }
  EXPECT_NE(it.find("MONTE"), std::string::npos);
}

TEST(SvgPlotTest, APackageWithoutAPlanSaysSo) {
  const Scenario s = Compiled(/*scrivi_linea=*/false);
  EXPECT_NE(PlotSvg(s, {}, "R", Language::kItalian).find("nessun tracciato"),
            std::string::npos);
  EXPECT_NE(PlotSvg(s, {}, "R", Language::kEnglish).find("no track plan"),
            std::string::npos);
}

}  // namespace
}  // namespace scenario
