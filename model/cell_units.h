#ifndef MODEL_CELL_UNITS_H_
#define MODEL_CELL_UNITS_H_

#include <cstddef>
#include <cstdint>

#include "model/rounding.h"
#include "model/scenario.h"

namespace scenario {

// How a cell stores what a driver reads, written once for every layer that
// stores or shows it. The encodings are the simulator's and must not
// change.

// A cell's speed is stored in steps of 5 km/h.
inline constexpr int kSpeedStep = 5;  // km/h
// A cell's gradient is stored as the gradient in per mille plus 100.
inline constexpr int kGradientOffset = 100;
// A speed board's pair of speeds: twenty times the left speed plus a fifth
// of the right one, so the right speed counts in steps of 5 km/h below 100.
inline constexpr int kSpeedPairFactor = 20;
// A signal packs two aspect digits into one value: the first times ten plus
// the second.
inline constexpr int kDigitPair = 10;

// The stored steps of a line speed in km/h, before the byte is checked.
inline int64_t CellSpeed(int64_t kmh) {
  return Round(static_cast<double>(kmh) / kSpeedStep);
}
inline int SpeedOfCell(Byte steps) { return steps * kSpeedStep; }

inline int64_t CellGradient(int64_t per_mille) {
  return per_mille + kGradientOffset;
}
inline int GradientOfCell(Byte stored) { return stored - kGradientOffset; }

inline Integer SpeedPair(int64_t left, int64_t right) {
  return LowInteger(Round(static_cast<double>(right) / kSpeedStep +
                          static_cast<double>(left) * kSpeedPairFactor));
}
inline int SpeedPairLeft(Integer pair) { return pair / kSpeedPairFactor; }
inline int SpeedPairRight(Integer pair) {
  return pair % kSpeedPairFactor * kSpeedStep;
}

// The speed of the points the post-processing places around signals and
// slow-downs: a point of another speed is an author's.
inline constexpr Integer kGeneratedPointSpeed = 180;  // km/h

// A signal's time of 1 to 100 is raised to this; the cell keeps the low
// byte of what it becomes.
inline constexpr Long kSignalTimeFloor = 101;

// The profiles (gradient, line speed, adhesion) are laid up to two cells
// short of `n_celle`: the last three cells of `celle` keep no profile.
inline constexpr size_t kUnprofiledCells = 3;
inline size_t ProfiledCells(size_t cells) {
  return cells > kUnprofiledCells ? cells - kUnprofiledCells : 0;
}

inline Integer DigitPair(int64_t first, int64_t second) {
  return LowInteger(first * kDigitPair + second);
}
inline int FirstDigit(Integer pair) { return pair / kDigitPair; }
inline int SecondDigit(Integer pair) { return pair % kDigitPair; }

}  // namespace scenario

#endif  // MODEL_CELL_UNITS_H_
