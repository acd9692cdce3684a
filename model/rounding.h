#ifndef MODEL_ROUNDING_H_
#define MODEL_ROUNDING_H_

#include <cmath>
#include <cstdint>

#include "model/scenario.h"

namespace scenario {

// round(x): the nearest integer, halves to the even neighbour (24.5 gives
// 24, 25.5 gives 26), as the default floating-point rounding mode does.
inline int64_t Round(double x) {
  return static_cast<int64_t>(std::nearbyint(x));
}

// The cell of a signal, slow-down mark, speed board or signboard at
// progressive p: round(p / 50 + 1).
inline int64_t ObjectCell(int64_t p) {
  return Round(static_cast<double>(p) / kCellLength + 1);
}

// The cell at which a profile line or an "abbattimento" point starts:
// round(p / 50).
inline int64_t ProfileCell(int64_t p) {
  return Round(static_cast<double>(p) / kCellLength);
}

// A value stored into a narrower field keeps its low bits.
inline Integer LowInteger(int64_t v) { return static_cast<Integer>(v); }
inline Byte LowByte(int64_t v) { return static_cast<Byte>(v); }

}  // namespace scenario

#endif  // MODEL_ROUNDING_H_
