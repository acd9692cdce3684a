#include "model/post_processing.h"

#include "model/cell_units.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

constexpr int kWarningReach = 20;      // cells before a warning board
constexpr int kFirstSignalCell = 3;    // signals nearer the start are passed
constexpr Integer kWalkedBelow = 110;  // km/h: slower slow-downs get points
constexpr int kSpacing = 8;            // cells between two points
constexpr int kSignalSearch = 12;      // cells searched after the end

// The three windows before a slow-down's start: used only when the start
// lies beyond `after`.
constexpr struct {
  int after;
  int offsets[3];
} kStartWindows[] = {{7, {5, 6, 7}}, {13, {11, 12, 13}}, {20, {18, 19, 20}}};

class CellPass {
 public:
  explicit CellPass(Scenario& s) : s_(s) {}

  void Run() {
    const int64_t last = int64_t{s_.n_celle} - 2;
    for (int64_t i = 1; i <= last; ++i) {
      if (Kind(i) == kWarningBoard) SignalsBeforeWarning(i);
      if (Kind(i) == kSlowDownStart) SlowDownStart(i);
    }
  }

 private:
  // Outside the cells there is nothing, and no room.
  Byte Kind(int64_t q) const {
    const Cella* cell = s_.celle.at(q);
    return cell ? cell->tipo : Byte{kNone};
  }
  bool Free(int64_t q) const {
    const Cella* cell = s_.celle.at(q);
    return cell != nullptr && cell->free();
  }
  void Place(int64_t q) {
    Cella* cell = s_.celle.at(q);
    cell->tipo = kSpeedPoint;
    cell->valore1 = kGeneratedPointSpeed;
  }
  // These codes belong to cells, not to a line of a text.
  void Record(Long code, int64_t cell) {
    RaiseCode(s_, code, static_cast<Long>(cell * kCellLength), ErrorSite{});
  }

  // A train must pass each signal in the 20 cells before a warning board at
  // no more than 180 km/h: a point in one of the two cells just before it.
  void SignalsBeforeWarning(int64_t i) {
    for (int k = 1; k <= kWarningReach && i - k >= kFirstSignalCell; ++k) {
      const int64_t d = i - k;
      if (Kind(d) != kSignal) continue;
      if (Free(d - 1)) {
        Place(d - 1);
      } else if (Free(d - 2)) {
        Place(d - 2);
      } else if (Kind(d - 1) == kSpeedPoint) {
        Cella& cell = *s_.celle.at(d - 1);
        cell.valore1 = minimo(kGeneratedPointSpeed, cell.valore1);
      } else if (Kind(d - 2) == kSpeedPoint) {
        Cella& cell = *s_.celle.at(d - 2);
        cell.valore1 = minimo(kGeneratedPointSpeed, cell.valore1);
      } else {
        Record(kNoRoomBeforeSignal, d);
      }
    }
  }

  // Speed points that bring a train down for a slow-down: before its start,
  // along it, and before the first signal after its end.
  void SlowDownStart(int64_t i) {
    for (const auto& window : kStartWindows) {
      if (i <= window.after) continue;
      bool placed = false;
      for (int offset : window.offsets) {
        if (Free(i - offset)) {
          Place(i - offset);
          placed = true;
          break;
        }
      }
      if (!placed) Record(kNoRoomBeforeSlowDown, i);
    }
    const bool walked = s_.celle.at(i)->valore1 < kWalkedBelow;
    const int64_t end = WalkToEnd(i, walked);
    SignalAfterEnd(end);
  }

  // Steps from the start to the slow-down's end cell (kind 2), or to the
  // last cell when there is none, and returns it. When `place` is set, a
  // point every 8 cells, or in a neighbouring cell when that one is taken.
  int64_t WalkToEnd(int64_t i, bool place) {
    int64_t k = i;
    int n = 0;
    while (k < s_.n_celle) {
      ++k;
      ++n;
      if (place && n == kSpacing) {
        if (Free(k)) {
          Place(k);
          n = 0;
        } else if (Free(k - 1)) {
          Place(k - 1);
          n = 1;
        } else if (Free(k + 1)) {
          Place(k + 1);
          n = -1;
        } else {
          // n stays 8 and only grows: no further point in this walk.
          Record(kNoRoomForSpacingPoint, k);
        }
      }
      if (Kind(k) == kSlowDownEnd) break;
    }
    return k;
  }

  void SignalAfterEnd(int64_t k) {
    for (int64_t m = k; m <= k + kSignalSearch; ++m) {
      if (Kind(m) != kSignal) continue;
      const int64_t p = m - 1;
      if (p <= 0) return;
      if (Free(p)) {
        Place(p);
      } else if (Free(p - 1)) {
        Place(p - 1);
      } else {
        Record(kNoRoomForSpacingPoint, k);
      }
      return;
    }
  }

  Scenario& s_;
};

}  // namespace

Integer minimo(Integer x, Integer y) { return x > y ? y : x; }

void PostProcessCells(Scenario& s) { CellPass(s).Run(); }

}  // namespace scenario
