#ifndef TOOL_VIEWS_ROUTE_VIEW_H_
#define TOOL_VIEWS_ROUTE_VIEW_H_

#include <string>
#include <vector>

#include "messages/messages.h"
#include "model/scenario.h"
#include "tool/common/plan_sketch.h"

namespace scenario {

// A compiled scenario as an author looks at it: profiles cell by cell, the
// objects with their values in words, the stations, curves, mountain
// stretches and the slow-down, the route's end. What the plot draws and
// the report shows, worked out once.
struct RouteView {
  struct Station {
    int number;  // 1 for the first
    std::string name;
    std::string type_text;         // its type and whether it stops: "8 (stop)"
    Long progressive, start, end;  // the station and its stop zone
    Long time;                     // seconds since midnight
    bool stops;                    // a stop cell: types below 25
  };
  struct Object {
    CellKind kind;  // never kNone nor kMountainMark
    size_t cell;
    double at;         // metres: where the object stands along the route
    std::string text;  // its values, in words
  };
  struct Stretch {
    double from, to;  // metres
    int value;        // a curve's class (negative: to the left), a mountain's
                      // kind, a slow-down's speed
  };

  double route_length = 0;  // metres; the cells reach 7000 m further
  size_t route_cells = 0;   // the cells of the route proper
  // One value per cell, from cell 0 to the last the profiles fill (all but
  // the last three).
  std::vector<int> gradient;    // per mille
  std::vector<double> height;   // metres above the start, at the cell's start
  std::vector<int> line_speed;  // km/h
  std::vector<int> speed_met;   // km/h, with the slow-down, boards, stops
  std::vector<int> adhesion;
  std::vector<Station> stations;
  std::vector<Object> objects;
  std::vector<Stretch> curves;
  std::vector<Stretch> mountains;
  std::vector<Stretch> slow_downs;
};

// `plan` may be empty: then no curve is known.
RouteView ViewOf(const Scenario& s, const PlanSketch& plan, Language language);

}  // namespace scenario

#endif  // TOOL_VIEWS_ROUTE_VIEW_H_
