#ifndef TOOL_COMMON_PLAN_SKETCH_H_
#define TOOL_COMMON_PLAN_SKETCH_H_

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "model/scenario.h"

namespace scenario {

// What the drawings take of a plan, gathered as its points go by (worked
// out from the runs, or read from a file a piece at a time), so that the
// plan of a million metres is never held: the track from the origin to its
// first empty or unusable point, with its extent; a point every 25 m and at
// the metres the drawings name (the route's end, the stations); and the
// turn per metre at the middle of every cell, for the curves.
class PlanSketch {
 public:
  using Point = std::pair<double, double>;
  static constexpr size_t kStep = 25;  // metres between kept points

  PlanSketch() = default;  // no plan
  // Ready for the plan of `s`, whose metres it names.
  explicit PlanSketch(const Scenario& s);

  // The sketch of the scenario's own plan, worked out from its runs.
  static PlanSketch Of(const Scenario& s);

  // Takes the plan's points in order, from metre 0.
  void operator()(size_t metre, const PlanValue& x, const PlanValue& y);

  // Whether the track has a first step: metres 0 and 1.
  bool drawable() const { return track_ended_at_ > 1; }
  // The track's last metre.
  size_t last() const { return track_ended_at_ - 1; }
  double min_x() const { return min_x_; }
  double max_x() const { return max_x_; }
  double min_y() const { return min_y_; }
  double max_y() const { return max_y_; }
  // The track's kept points from metre `from` to `to`, both included, as
  // far as the track goes: every 25 m and where named. `from` and `to` are
  // named metres, multiples of 25 m or the last.
  std::vector<Point> Between(size_t from, size_t to) const;
  // The point at a named metre, or at the track's last.
  Point At(size_t metre) const;
  // The turn per metre at the middle of `cell`, positive to the right; 0
  // where the plan gives none.
  double TurnAt(size_t cell) const;

 private:
  bool Named(size_t metre) const;

  std::vector<size_t> named_;  // sorted
  std::vector<std::pair<size_t, Point>> kept_;
  size_t track_ended_at_ = 0;  // the first metre off the track
  bool track_open_ = true;
  Point last_{};
  double min_x_ = 0, max_x_ = 0, min_y_ = 0, max_y_ = 0;
  // The last three points, for the turn at a cell's middle.
  PlanValue xs_[3], ys_[3];
  std::vector<double> turns_;
};

}  // namespace scenario

#endif  // TOOL_COMMON_PLAN_SKETCH_H_
