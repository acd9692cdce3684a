#ifndef MODEL_PLACEMENT_H_
#define MODEL_PLACEMENT_H_

#include <vector>

#include "model/scenario.h"

namespace scenario {

// Track objects as the source lines give them. Each procedure places one
// object into the cells and returns 0, or refuses it and returns the code
// that says why, leaving what it had written before the refusal; the
// caller raises the code. An object whose cell lies outside the array is
// refused with kCellOutsideRoute.

// Mountain stretch from `inizio` to `fine`. A `tipo` above 10 marks every
// fourth free cell of the stretch as a pass-through and is reduced by 10,
// for the caller too. Cells beyond the array are not written; an 81st
// stretch is refused (kTooManyMountains).
[[nodiscard]] Long memo_montagna(Scenario& s, Long inizio, Long fine,
                                 Long& tipo);

struct IndicatoreVMax {
  Long vas = 0, vbs = 0, vcs = 0, strisces = 0;
  Long vad = 0, vbd = 0, vcd = 0, strisced = 0;
  bool operator==(const IndicatoreVMax&) const = default;
};
// Maximum-speed board; refused (21) on a taken cell.
[[nodiscard]] Long memo_indicatori_v_max(Scenario& s, Long posizione,
                                         const IndicatoreVMax& board);

struct Segnale {
  Long sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0;
  Long dx = 0, d1 = 0, d2 = 0, d3 = 0, tempo = 0;
  bool operator==(const Segnale&) const = default;
};
// Signal with its four approach markers; refused (16) on a taken cell. A
// `tempo` of 1 to 100 becomes 101, for the caller too. Markers that would
// fall before cell 0 are not written.
[[nodiscard]] Long memo_segnale(Scenario& s, Long posizione, Segnale& signal);

// What a board's or a signal's cell keeps of its line, read back: the
// values the line would have to give to place it so. A signal's sx x 3 +
// dx and rapp share one cell value; an approach marker still the signal's
// own (cells 2, 4, 6, 8 before it hold sx x 3 + dx and their number) tells
// them apart, else the usual digits are taken, and sx is 2 wherever a time
// is kept. A signal's `tempo` is the time its cell holds.
IndicatoreVMax SpeedBoardAt(const Cella& cell);
Segnale SignalAt(const std::vector<Cella>& cells, size_t k);

// A slow-down starting at this progressive or before has no warning board:
// none fits before it.
inline constexpr Long kNoWarningUpTo = 1500;  // metres

struct Rallentamento {
  Long v = 0, l = 0, f_tt = 0, f_ta = 0, d_v = 0;
};
// Slow-down from `x`, `l` metres long: warning board 1200 m before, start
// and end marks, and with `f_ta` four approach markers before the board.
// Refused with 17 to 20 on a taken cell.
[[nodiscard]] Long memo_rallentamento(Scenario& s, Long x,
                                      const Rallentamento& slow_down);

}  // namespace scenario

#endif  // MODEL_PLACEMENT_H_
