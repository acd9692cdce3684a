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
constexpr int kPassThroughEvery = 4;     // cells
constexpr Long kWarningDistance = 1200;  // metres before the slow-down start
constexpr int kApproachMarkers = 4;

// A refusal on a taken cell, with the cell, so that the caller can name
// what holds it.
Long Refused(Scenario& s, int64_t cell, Long code) {
  s.refused_cell = cell;
  return code;
}

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
  const int64_t k = ObjectCell(posizione);
  Cella* cell = s.celle.at(k);
  if (cell == nullptr) return kCellOutsideRoute;
  if (!cell->free()) return Refused(s, k, kSpeedBoardCellTaken);
  cell->tipo = kSpeedBoard;
  s.placed_cells.push_back(k);
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
  if (!cell->free()) return Refused(s, k, kSignalCellTaken);
  cell->tipo = kSignal;
  s.placed_cells.push_back(k);
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

IndicatoreVMax SpeedBoardAt(const Cella& cell) {
  return {.vas = SpeedPairLeft(cell.valore1),
          .vbs = SpeedPairLeft(cell.valore2),
          .vcs = SpeedPairLeft(cell.valore3),
          .strisces = FirstDigit(cell.valore4),
          .vad = SpeedPairRight(cell.valore1),
          .vbd = SpeedPairRight(cell.valore2),
          .vcd = SpeedPairRight(cell.valore3),
          .strisced = SecondDigit(cell.valore4)};
}

Segnale SignalAt(const std::vector<Cella>& cells, size_t k) {
  const Cella& c = cells.at(k);
  Long aspect = SecondDigit(c.valore4);
  Long rapp = FirstDigit(c.valore4);
  for (size_t b = 1; b <= size_t{kApproachMarkers} && k >= 2 * b; ++b) {
    const Long marker = cells[k - 2 * b].preavviso;
    if (marker % kDigitPair != static_cast<Long>(b)) continue;
    if ((c.valore4 - marker / kDigitPair) % kDigitPair == 0) {
      aspect = marker / kDigitPair;
      rapp = (c.valore4 - aspect) / kDigitPair;
      break;
    }
  }
  const Long sx = c.tempo != 0 ? 2 : aspect / 3;
  return {.sx = sx,
          .s1 = FirstDigit(c.valore1),
          .s2 = FirstDigit(c.valore2),
          .s3 = FirstDigit(c.valore3),
          .rapp = rapp,
          .dx = aspect - 3 * sx,
          .d1 = SecondDigit(c.valore1),
          .d2 = SecondDigit(c.valore2),
          .d3 = SecondDigit(c.valore3),
          .tempo = c.tempo};
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
    if (!w->free()) return Refused(s, w_index, kWarningBoardCellTaken);
  }
  const int64_t start_index = ObjectCell(x);
  Cella* start = s.celle.at(start_index);
  if (start == nullptr) return kCellOutsideRoute;
  if (!start->free()) return Refused(s, start_index, kSlowDownStartCellTaken);
  const int64_t end_index = ObjectCell(int64_t{x} + slow_down.l);
  Cella* end = s.celle.at(end_index);
  if (end == nullptr) return kCellOutsideRoute;
  if (!end->free()) return Refused(s, end_index, kSlowDownEndCellTaken);
  s.placed_cells.insert(s.placed_cells.end(), {end_index, start_index});
  if (with_warning) s.placed_cells.push_back(w_index);

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
  for (int m = 0; m < kApproachMarkers; ++m) {
    if (!markers[m]->free()) return Refused(s, h - m, kSlowDownMarkerCellTaken);
  }
  for (int m = 0; m < kApproachMarkers; ++m) {
    markers[m]->tipo = kSlowDownMarker;
    s.placed_cells.push_back(h - m);
    markers[m]->valore1 = static_cast<Integer>(m + 1);
    if (d_v != 0) markers[m]->valore2 = static_cast<Integer>(m + 1);
  }
  return kNoDiagnostic;
}

}  // namespace scenario
