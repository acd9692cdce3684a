#include "tool/views/route_view.h"

#include <gtest/gtest.h>

#include "compiler/compile_for_test.h"
#include "compiler/scenario_compiler.h"

namespace scenario {
namespace {

class RouteViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string route = EmbeddedRoute(), train = EmbeddedTrain();
    const Sources sources = {route, train, "R_linea.txt", "R_7-.txt"};
    s_.nome_linea = "R";
    s_.numero_treno = "7";
    (void)CompileScenario(s_, /*scrivi_linea=*/true, sources);
    view_ = ViewOf(s_, PlanSketch::Of(s_), Language::kEnglish);
  }
  Scenario s_;
  RouteView view_;
};

TEST_F(RouteViewTest, HeightIsTheGradientsIntegratedFromTheStart) {
  ASSERT_GT(view_.height.size(), 40u);
  EXPECT_EQ(view_.height[0], 0);
  double height = 0;
  for (size_t i = 0; i < 40; ++i) height += view_.gradient[i] * 0.05;
  EXPECT_DOUBLE_EQ(view_.height[40], height);
  EXPECT_EQ(view_.route_length, 67000);
}

TEST_F(RouteViewTest, TheSpeedMetHasTheBoardsTheSlowDownAndTheStops) {
  const struct {
    size_t cell;
    int line, met;
  } cases[] = {
      {10, 65, 65},    // before the first board
      {14, 65, 60},    // the board at 650 m shows 60
      {39, 65, 60},    // ... up to the next line speed
      {7, 65, 0},      // the first station's stop cell
      {870, 120, 35},  // along the slow-down
      {900, 120, 120},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(view_.line_speed[c.cell], c.line) << c.cell;
    EXPECT_EQ(view_.speed_met[c.cell], c.met) << c.cell;
  }
  ASSERT_EQ(view_.slow_downs.size(), 1u);
  EXPECT_EQ(view_.slow_downs[0].value, 35);
}

TEST_F(RouteViewTest, CurvesComeBackFromThePlanWithTheirClassAndSide) {
  ASSERT_EQ(view_.curves.size(), 17u);
  // "curvad3,  700,  850": to the right, class 3, from 700 m for 850 m.
  EXPECT_EQ(view_.curves[0].value, 3);
  EXPECT_NEAR(view_.curves[0].from, 700, 50);
  EXPECT_NEAR(view_.curves[0].to, 1550, 50);
  EXPECT_EQ(view_.stations.size(), 11u);
  EXPECT_TRUE(view_.stations[0].stops);
  EXPECT_FALSE(view_.stations[2].stops);  // type 28 passes
}

}  // namespace
}  // namespace scenario
