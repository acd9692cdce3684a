#include "model/placement.h"

#include <algorithm>

#include "model/cell_units.h"
#include "model/diagnostic_codes.h"
#include "model/rounding.h"

namespace scenario {
namespace {

constexpr Long kPassThroughFlag = 10;  // mountain kinds above it are flagged
constexpr Long kCloseStretch = 150;    // metres: closer stretches are kind 3
constexpr Byte kCloseStretchKind = 3;
constexpr int kPassThroughEvery = 4;  // cells
constexpr Long kSignalTimeFloor = 101;
constexpr Long kWarningDistance = 1200;  // metres before the slow-down start
constexpr Long kNoWarningUpTo = 1500;    // metres: no board fits before
constexpr int kApproachMarkers = 4;

}  // namespace

Long memo_montagna(Scenario& s, Long inizio, Long fine, Long& tipo) {
  if (s.n_montagne >= kMountainSlots - 1) return kTooManyMountains;
  const bool pass_through = tipo > kPassThroughFlag;
  if (pass_through) tipo -= kPassThroughFlag;

  const Long n = ++s.n_montagne;
  s.inizio_montagna[n] = inizio;
  s.fine_montagna[n] = fine;
  if (n > 1 &&
      int64_t{s.inizio_montagna[n]} - s.fine_montagna[n - 1] <= kCloseStretch) {
    tipo = kCloseStretchKind;
  }

  const int64_t first = ProfileCell(inizio);
  const int64_t last = Round(static_cast<double>(fine) / kCellLength - 1);
  // Only the part of the stretch inside the array is written; the count of
  // cells still runs from the stretch's own first cell.
  const int64_t from = std::max<int64_t>(first, 0);
  const int64_t to =
      std::min<int64_t>(last, static_cast<int64_t>(s.celle.size()) - 1);
  for (int64_t q = from; q <= to; ++q) {
    Cella& cell = *s.celle.at(q);
    cell.montagna = LowByte(tipo);
    if (pass_through && (q - first + 1) % kPassThroughEvery == 0 &&
        cell.tipo == kNone) {
      cell.tipo = kMountainMark;
    }
  }
  return kNoDiagnostic;
}

Long memo_indicatori_v_max(Scenario& s, Long posizione,
                           const IndicatoreVMax& board) {
  Cella* cell = s.celle.at(ObjectCell(posizione));
  if (cell == nullptr) return kCellOutsideRoute;
  if (!cell->free()) return kSpeedBoardCellTaken;
  cell->tipo = kSpeedBoard;
  cell->valore1 = SpeedPair(board.vas, board.vad);
  cell->valore2 = SpeedPair(board.vbs, board.vbd);
  cell->valore3 = SpeedPair(board.vcs, board.vcd);
  cell->valore4 = DigitPair(board.strisces, board.strisced);
  return kNoDiagnostic;
}

Long memo_segnale(Scenario& s, Long posizione, Segnale& signal) {
  const int64_t k = ObjectCell(posizione);
  Cella* cell = s.celle.at(k);
  if (cell == nullptr) return kCellOutsideRoute;
  if (!cell->free()) return kSignalCellTaken;
  cell->tipo = kSignal;
  const int64_t aspect = int64_t{signal.sx} * 3 + signal.dx;
  cell->valore4 = DigitPair(signal.rapp, aspect);
  cell->valore1 = DigitPair(signal.s1, signal.d1);
  cell->valore2 = DigitPair(signal.s2, signal.d2);
  cell->valore3 = DigitPair(signal.s3, signal.d3);
  if (signal.tempo >= 1 && signal.tempo < kSignalTimeFloor) {
    signal.tempo = kSignalTimeFloor;
  }
  cell->tempo = signal.sx == 2 ? LowByte(signal.tempo) : 0;
  // Approach markers every second cell before the signal, 1 nearest.
  for (int b = 1; b <= kApproachMarkers; ++b) {
    if (Cella* marker = s.celle.at(k - 2 * b)) {
      marker->preavviso = LowByte(DigitPair(LowByte(aspect), b));
    }
  }
  return kNoDiagnostic;
}

Long memo_rallentamento(Scenario& s, Long x, const Rallentamento& slow_down) {
  const bool with_warning = x > kNoWarningUpTo;
  const int64_t before_warning = int64_t{x} - kWarningDistance;
  const int64_t w_index = Round(before_warning / 50.0 + 1);
  const int64_t h = ProfileCell(before_warning);

  // Board, start and end are tested in this order, each refusing with its
  // own code before anything is written: outside the cells or taken.
  Cella* w = nullptr;
  if (with_warning) {
    w = s.celle.at(w_index);
    if (w == nullptr) return kCellOutsideRoute;
    if (!w->free()) return kWarningBoardCellTaken;
  }
  Cella* start = s.celle.at(ObjectCell(x));
  if (start == nullptr) return kCellOutsideRoute;
  if (!start->free()) return kSlowDownStartCellTaken;
  Cella* end = s.celle.at(ObjectCell(int64_t{x} + slow_down.l));
  if (end == nullptr) return kCellOutsideRoute;
  if (!end->free()) return kSlowDownEndCellTaken;

  const Integer d_v = LowInteger(slow_down.d_v);
  end->tipo = kSlowDownEnd;
  if (d_v != 0) end->valore2 = d_v;
  start->tipo = kSlowDownStart;
  if (d_v != 0) start->valore2 = d_v;
  if (with_warning) {
    w->tipo = kWarningBoard;
    if (d_v != 0) w->valore2 = d_v;
    w->valore1 = LowInteger(slow_down.v);
  }
  start->valore1 = LowInteger(slow_down.v);
  end->valore1 = LowInteger(slow_down.v);
  start->valore3 = LowInteger(slow_down.f_tt);
  end->valore3 = LowInteger(slow_down.f_tt);

  if (slow_down.f_ta == 0 || !with_warning) return kNoDiagnostic;
  // Markers 1 to 4 go into cells h down to h - 3, just before the board.
  Cella* markers[kApproachMarkers];
  for (int m = 0; m < kApproachMarkers; ++m) {
    markers[m] = s.celle.at(h - m);
    if (markers[m] == nullptr) return kCellOutsideRoute;
  }
  for (Cella* marker : markers) {
    if (!marker->free()) return kSlowDownMarkerCellTaken;
  }
  for (int m = 0; m < kApproachMarkers; ++m) {
    markers[m]->tipo = kSlowDownMarker;
    markers[m]->valore1 = static_cast<Integer>(m + 1);
    if (d_v != 0) markers[m]->valore2 = static_cast<Integer>(m + 1);
  }
  return kNoDiagnostic;
}

}  // namespace scenario
