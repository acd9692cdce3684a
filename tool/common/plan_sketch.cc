#include "tool/common/plan_sketch.h"

#include <algorithm>
#include <cmath>

namespace scenario {
namespace {
constexpr size_t kCell = kCellLength;
}  // namespace

PlanSketch::PlanSketch(const Scenario& s) {
  named_.push_back(
      static_cast<size_t>(std::max<Long>(0, s.voci[kTrainSlot].fine)));
  for (int slot = kFirstStationSlot; slot <= kLastSignboardSlot; ++slot) {
    named_.push_back(static_cast<size_t>(
        std::max<Long>(0, s.voci[static_cast<size_t>(slot)].progressiva)));
  }
  std::sort(named_.begin(), named_.end());
}

PlanSketch PlanSketch::Of(const Scenario& s) {
  PlanSketch sketch(s);
  s.tracciato.Walk(sketch);
  return sketch;
}

bool PlanSketch::Named(size_t metre) const {
  return std::binary_search(named_.begin(), named_.end(), metre);
}

void PlanSketch::operator()(size_t metre, const PlanValue& x,
                            const PlanValue& y) {
  // The turn at metre m - 1 once metre m has come: the angle between the
  // steps before and after it.
  std::rotate(xs_, xs_ + 1, xs_ + 3);
  std::rotate(ys_, ys_ + 1, ys_ + 3);
  xs_[2] = x;
  ys_[2] = y;
  if (metre >= 2 && (metre - 1) % kCell == kCell / 2) {
    double turn = 0;
    const bool known = std::all_of(xs_, xs_ + 3,
                                   [](const PlanValue& v) {
                                     return v.kind != PlanValue::Kind::kEmpty;
                                   }) &&
                       std::all_of(ys_, ys_ + 3, [](const PlanValue& v) {
                         return v.kind != PlanValue::Kind::kEmpty;
                       });
    if (known) {
      const double ax = xs_[1].value - xs_[0].value;
      const double ay = ys_[1].value - ys_[0].value;
      const double bx = xs_[2].value - xs_[1].value;
      const double by = ys_[2].value - ys_[1].value;
      const double lengths = std::hypot(ax, ay) * std::hypot(bx, by);
      turn = lengths > 0 ? -(ax * by - ay * bx) / lengths : 0;
    }
    turns_.resize((metre - 1) / kCell, 0);
    turns_.push_back(turn);
  }

  // The track runs from metre 0 to the first empty or unusable point.
  if (!track_open_) return;
  if (x.kind == PlanValue::Kind::kEmpty || y.kind == PlanValue::Kind::kEmpty ||
      !std::isfinite(x.value) || !std::isfinite(y.value)) {
    track_open_ = false;
    return;
  }
  min_x_ = std::min(min_x_, x.value);
  max_x_ = std::max(max_x_, x.value);
  min_y_ = std::min(min_y_, y.value);
  max_y_ = std::max(max_y_, y.value);
  last_ = {x.value, y.value};
  track_ended_at_ = metre + 1;
  if (metre % kStep == 0 || Named(metre)) kept_.push_back({metre, last_});
}

std::vector<PlanSketch::Point> PlanSketch::Between(size_t from,
                                                   size_t to) const {
  if (!drawable() || from > to) return {};
  to = std::min(to, last());
  std::vector<Point> points = {At(from)};
  auto it = std::upper_bound(
      kept_.begin(), kept_.end(), from,
      [](size_t m, const std::pair<size_t, Point>& k) { return m < k.first; });
  for (; it != kept_.end() && it->first < to; ++it) {
    points.push_back(it->second);
  }
  if (to > from) points.push_back(At(to));
  return points;
}

PlanSketch::Point PlanSketch::At(size_t metre) const {
  auto it = std::lower_bound(
      kept_.begin(), kept_.end(), metre,
      [](const std::pair<size_t, Point>& k, size_t m) { return k.first < m; });
  return it != kept_.end() && it->first == metre ? it->second : last_;
}

double PlanSketch::TurnAt(size_t cell) const {
  return cell < turns_.size() ? turns_[cell] : 0;
}

}  // namespace scenario
