#ifndef MODEL_CURVE_CLASSES_H_
#define MODEL_CURVE_CLASSES_H_

#include <cmath>
#include <cstddef>

namespace scenario {

// The curve classes a route text names, "1" (gentle) to "6" (sharp), by the
// turn per metre the plan takes along them. The plan's bytes depend on
// these values: they must not change.
inline constexpr double kCurveClassTurns[] = {0.0001, 0.0002, 0.0004,
                                              0.001,  0.002,  0.003};
inline constexpr int kCurveClasses = 6;

// The class of a turn per metre read off a plan: the nearest class, negative
// to the left; 0 for straight.
inline int CurveClassOf(double turn) {
  if (!std::isfinite(turn) || std::abs(turn) < kCurveClassTurns[0] / 2) {
    return 0;
  }
  int best = 0;
  for (int c = 1; c < kCurveClasses; ++c) {
    if (std::abs(std::abs(turn) - kCurveClassTurns[c]) <
        std::abs(std::abs(turn) - kCurveClassTurns[best])) {
      best = c;
    }
  }
  return turn > 0 ? best + 1 : -(best + 1);
}

}  // namespace scenario

#endif  // MODEL_CURVE_CLASSES_H_
