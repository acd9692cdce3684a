#include "tool/decompiler/decompiler.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <span>

#include "compiler/author_compile.h"
#include "compiler/source_lines.h"
#include "model/binary_files.h"
#include "model/cell_units.h"
#include "model/curve_classes.h"
#include "model/placement.h"
#include "model/record_layout.h"

namespace scenario {
namespace {

constexpr size_t kNoCell = static_cast<size_t>(-1);
constexpr int64_t kByteValues = 256;
// The plan's last points, which a whole reading leaves empty.
constexpr size_t kEmptyPlanPoints = 2;
// Compiles tried before a package is given up on: each finds an author's
// point or the order of two signals the one before could not tell.
constexpr int kAttempts = 32;

// A line of a text, and the cell it places something in, so that a
// comment can go before it when that cell comes out wrong.
struct Line {
  std::string text;
  size_t cell = kNoCell;
};

// The runs of a profile: a line where the cells' value changes.
void Profile(std::vector<Line>& lines, LineKind kind,
             const std::vector<Cella>& cells, size_t filled, auto value) {
  for (size_t i = 0; i < filled; ++i) {
    if (i > 0 && value(cells[i]) == value(cells[i - 1])) continue;
    lines.push_back({LineText(kind, {static_cast<int64_t>(i) * kCellLength,
                                     value(cells[i])}),
                     i});
  }
}

// The three references as read, so that the ordering gives them back:
// the flag's 100 m taken off the km, the records placed where the
// ordering will take each from.
void References(std::vector<Line>& lines, const std::array<Voce, kVoci>& v) {
  struct Reference {
    Long start, km, flag;
  };
  auto read_as = [&](int slot) {
    const Voce& r = v[static_cast<size_t>(slot)];
    return Reference{r.inizio, KmAsWritten(r), r.progressiva};
  };
  Reference tre = read_as(kReferenceThreeSlot);
  Reference due = read_as(kReferenceTwoSlot);
  Reference uno = read_as(kReferenceOneSlot);
  const int64_t starts = int64_t{tre.start} + due.start + uno.start;
  if (starts == 0) {
    // The one with a positive km is the last taken: "uno".
    std::swap(uno, tre);
  } else if (due.start == uno.start) {
    // Equal starts are taken the other way round.
    std::swap(due, uno);
  }
  for (const auto& [kind, r] : {std::pair{LineKind::kReferenceOne, uno},
                                std::pair{LineKind::kReferenceTwo, due},
                                std::pair{LineKind::kReferenceThree, tre}}) {
    lines.push_back({LineText(kind, {r.start, r.km, r.flag})});
  }
}

// The curves the plan turns along, from its turn metre by metre: each
// metre's step is the last one turned by its curve's rate. The plan is
// walked point by point from its bytes: only the last three are held.
// `cut_short`: the plan's points end before its last two, as when the
// route's reading stopped at a line with an error.
Status Curves(std::string_view plan, std::vector<Line>* lines,
              bool* cut_short) {
  int current = 0;  // the class, negative to the left
  int64_t from = 0;
  auto close = [&](int64_t to) {
    if (current == 0) return;
    // The side's spelling, then the class's digit.
    const std::string key =
        std::string(LineOf(LineKind::kCurve).spellings[current > 0 ? 0 : 1]) +
        std::to_string(std::abs(current));
    lines->push_back({LineText(LineKind::kCurve, {from - 1, to - from + 1},
                               std::nullopt, key),
                      static_cast<size_t>((from - 1) / kCellLength)});
  };
  struct Point {
    double x = 0, y = 0;
  };
  Point last[3];      // metres m - 2, m - 1 and m
  int64_t known = 0;  // points with both values, in a row from metre 0
  size_t points = 0;  // every point the file holds
  bool ended = false;
  const Status status = WalkPlanPoints(
      plan, [&](size_t metre, const PlanValue& x, const PlanValue& y) {
        points = metre + 1;
        if (ended) return;
        if (x.kind == PlanValue::Kind::kEmpty ||
            y.kind == PlanValue::Kind::kEmpty) {
          ended = true;
          return;
        }
        last[0] = last[1];
        last[1] = last[2];
        last[2] = {x.value, y.value};
        known = static_cast<int64_t>(metre) + 1;
        const int64_t m = known - 1;
        if (m < 2) return;
        const double dx = last[1].x - last[0].x, dy = last[1].y - last[0].y;
        const double turn = std::abs(dy) >= std::abs(dx)
                                ? ((last[2].x - last[1].x) - dx) / dy
                                : (dy - (last[2].y - last[1].y)) / dx;
        const int cls = CurveClassOf(turn);
        if (cls != current) {
          close(m - 1);
          current = cls;
          from = m;
        }
      });
  close(std::max<int64_t>(known, 2) - 1);
  *cut_short = status.ok() && ended &&
               static_cast<size_t>(known) + kEmptyPlanPoints < points;
  return status;
}

struct Texts {
  std::vector<Line> route;
  std::vector<Line> train;
};

// The marker a signal at cell `k` writes into cell `q`.
int64_t MarkerOf(const std::vector<Cella>& cells, size_t k, size_t q) {
  const Segnale signal = SignalAt(cells, k);
  return LowByte(DigitPair(LowByte(signal.sx * 3 + signal.dx), (k - q) / 2));
}

// `signals`: the signals' cells, in the order their lines are written.
// `stopped`: the route's reading stopped before its end (the package of
// texts with an error): a last line stops it there too.
Texts WriteTexts(const std::vector<Cella>& cells,
                 const std::array<Voce, kVoci>& v,
                 const std::vector<Line>& curves, bool stopped,
                 Language language, const std::set<size_t>& placed_by_author,
                 const std::vector<size_t>& signals) {
  Texts t;
  const size_t n = cells.size();
  const size_t filled = ProfiledCells(n);
  auto& r = t.route;
  namespace sections = source_sections;
  r.push_back({std::string(sections::kGeneral)});
  namespace general = general_record;
  r.push_back({LineText(LineKind::kRouteLength,
                        {v[kTrainSlot].*general::kRouteLength})});
  References(r, v);
  const Voce& route = v[kRouteSlot];
  r.push_back(
      {LineText(LineKind::kBackgroundOne, {route.*general::kBackgroundOne})});
  r.push_back(
      {LineText(LineKind::kBackgroundTwo, {route.*general::kBackgroundTwo})});
  r.push_back({LineText(LineKind::kBackgroundThree,
                        {route.*general::kBackgroundThree})});
  const Voce& extra = v[kExtraSlot];
  // The spelling with 9 codes, or with 4.
  r.push_back({LineText(
      LineKind::kCabSignals,
      {extra.*general::kCabSignalsStart, extra.*general::kCabSignalsEnd},
      std::nullopt,
      LineOf(LineKind::kCabSignals)
          .spellings[extra.*general::kCabSignalsCodes == 9 ? 1 : 0])});
  r.push_back({std::string(sections::kCurves)});
  r.insert(r.end(), curves.begin(), curves.end());
  r.push_back({std::string(sections::kGradients)});
  Profile(r, LineKind::kGradient, cells, filled,
          [](const Cella& c) { return GradientOfCell(c.pendenza); });
  r.push_back({std::string(sections::kMountains)});
  for (size_t i = 0; i < n;) {
    const Byte kind = cells[i].montagna;
    size_t end = i;
    bool marked = false;
    while (end + 1 < n && cells[end + 1].montagna == kind) ++end;
    for (size_t k = i; k <= end; ++k) marked |= cells[k].tipo == kMountainMark;
    if (kind != 0) {
      r.push_back({LineText(LineKind::kMountain,
                            {static_cast<int64_t>(i) * kCellLength,
                             static_cast<int64_t>(end + 1) * kCellLength,
                             kind + (marked ? 10 : 0)}),
                   i});
    }
    i = end + 1;
  }
  r.push_back({std::string(sections::kSpeedBoards)});
  for (size_t q = 0; q < n; ++q) {
    const Cella& c = cells[q];
    // A board whose cell a station's stop took later keeps its values but
    // the first, which became the station's number: any first gives them.
    const bool under_stop =
        c.tipo == kStopPoint &&
        (c.valore2 != 0 || c.valore3 != 0 || c.valore4 != 0);
    if (c.tipo != kSpeedBoard && !under_stop) continue;
    const IndicatoreVMax b = SpeedBoardAt(c);
    r.push_back(
        {LineText(LineKind::kSpeedBoard,
                  {static_cast<int64_t>(q - 1) * kCellLength, b.vas, b.vbs,
                   b.vcs, b.strisces, b.vad, b.vbd, b.vcd, b.strisced}),
         q});
  }
  r.push_back({std::string(sections::kSignboards)});
  std::vector<std::pair<Integer, size_t>> signboards;  // slot, cell
  for (size_t q = 0; q < n; ++q) {
    if (cells[q].tipo == kSignboard)
      signboards.push_back({cells[q].valore1, q});
  }
  // The slots were taken from 80 down, in the order of the lines.
  std::sort(signboards.rbegin(), signboards.rend());
  // A signboard whose cell a station's stop took later is seen only in the
  // bank: it stood in a stop cell between its neighbours' cells.
  std::set<size_t> used;
  for (const auto& [slot, q] : signboards) used.insert(q);
  for (int slot = kLastSignboardSlot; slot >= kFirstStationSlot; --slot) {
    const Voce& record = v[static_cast<size_t>(slot)];
    if (!record.holds_only_text() || record.nome.empty()) break;
    const auto known =
        std::find_if(signboards.begin(), signboards.end(),
                     [&](const auto& s) { return s.first == slot; });
    if (known != signboards.end()) continue;
    // Any such stop cell gives the same bytes: the one nearest to where
    // its neighbours in the bank stand, when they stand in order.
    size_t after = 0, before = n;
    for (const auto& [other, q] : signboards) {
      if (other > slot) after = std::max(after, q);
      if (other < slot) before = std::min(before, q);
    }
    size_t chosen = kNoCell;
    for (size_t q = 0; q < n; ++q) {
      if (cells[q].tipo != kStopPoint || used.count(q)) continue;
      if (chosen == kNoCell || (q >= after && q < before)) chosen = q;
      if (q >= after && q < before) break;
    }
    if (chosen != kNoCell) {
      signboards.push_back({static_cast<Integer>(slot), chosen});
      used.insert(chosen);
    }
  }
  std::sort(signboards.rbegin(), signboards.rend());
  for (const auto& [slot, q] : signboards) {
    const std::string text = slot >= 0 && slot < kVoci
                                 ? v[static_cast<size_t>(slot)].nome
                                 : std::string();
    r.push_back({LineText(LineKind::kSignboard,
                          {static_cast<int64_t>(q - 1) * kCellLength}, text),
                 q});
  }
  if (stopped) {
    // A curve without its class stops the reading before it lays a metre:
    // no profile's or plan's tail, as where the package's texts stopped.
    r.push_back({ToolText(ToolMessage::kReadingStopped, language)});
    r.push_back({LineText(LineKind::kCurve, {0, 0}, std::nullopt, "curva")});
  }
  r.push_back({std::string(sections::kEnd)});

  auto& tr = t.train;
  const Voce& train = v[kTrainSlot];
  tr.push_back({std::string(sections::kGeneral)});
  tr.push_back({LineText(LineKind::kCoaches, {train.*general::kCoaches})});
  tr.push_back(
      {LineText(LineKind::kBrakedMass, {train.*general::kBrakedMass})});
  tr.push_back({LineText(LineKind::kSand, {extra.*general::kSand})});
  tr.push_back({LineText(LineKind::kClock, {extra.*general::kClockHours,
                                            extra.*general::kClockMinutes,
                                            extra.*general::kClockSeconds})});
  tr.push_back({std::string(sections::kAdhesions)});
  Profile(tr, LineKind::kAdhesion, cells, filled,
          [](const Cella& c) { return int64_t{c.aderenza}; });
  tr.push_back({std::string(sections::kSpeeds)});
  Profile(tr, LineKind::kSpeed, cells, filled,
          [](const Cella& c) { return int64_t{SpeedOfCell(c.velocita)}; });
  tr.push_back({std::string(sections::kStations)});
  for (int slot = kFirstStationSlot; slot <= kLastSignboardSlot; ++slot) {
    const Voce& st = v[static_cast<size_t>(slot)];
    if (st == Voce{} || st.holds_only_text()) break;
    const bool back_only = st.tipo >= 5 && st.tipo <= 8;
    const int64_t length = back_only
                               ? int64_t{st.progressiva} - st.inizio
                               : 2 * (int64_t{st.progressiva} - st.inizio);
    // The zone's extra 50 m says the flag was set where the record lost it.
    int64_t flag = st.byte4;
    if (!back_only && slot == kFirstStationSlot) {
      flag = st.fine - (st.progressiva + length / 2) == 50 ? 1 : 0;
    }
    tr.push_back(
        {LineText(LineKind::kStation,
                  {st.progressiva, st.tipo, length, st.byte1, st.byte5, flag,
                   st.intero1, st.intero2, st.byte2, st.intero3, st.intero4,
                   st.intero5, st.byte3, st.orario / 3600, st.orario / 60 % 60,
                   st.orario % 60},
                  st.nome),
         static_cast<size_t>(std::max<int64_t>(0, st.fine / kCellLength))});
  }
  tr.push_back({std::string(sections::kSlowDowns)});
  for (size_t s = 0; s < n; ++s) {
    const Cella& c = cells[s];
    if (c.tipo != kSlowDownStart) continue;
    size_t e = s;
    while (e + 1 < n && cells[e].tipo != kSlowDownEnd) ++e;
    if (cells[e].tipo != kSlowDownEnd) e = s;
    // Approach markers stand in the four cells before the warning board.
    const bool markers = s > 25 && cells[s - 25].tipo == kSlowDownMarker;
    tr.push_back(
        {LineText(LineKind::kSlowDown,
                  {static_cast<int64_t>(s - 1) * kCellLength, c.valore1,
                   static_cast<int64_t>(e - s) * kCellLength, c.valore3,
                   markers ? 1 : 0, c.valore2}),
         s});
  }
  tr.push_back({std::string(sections::kSignals)});
  for (size_t k : signals) {
    const Segnale g = SignalAt(cells, k);
    // A time the floor would raise was a larger one kept by its low byte.
    const int64_t tempo = g.tempo >= 1 && g.tempo < kSignalTimeFloor
                              ? int64_t{g.tempo} + kByteValues
                              : g.tempo;
    tr.push_back(
        {LineText(LineKind::kSignal,
                  {static_cast<int64_t>(k - 1) * kCellLength, g.sx, g.s1, g.s2,
                   g.s3, g.rapp, g.dx, g.d1, g.d2, g.d3, tempo}),
         k});
  }
  // The authors' "abbattimento" points: the compile's own have speed 180.
  for (size_t t_cell = 0; t_cell < n; ++t_cell) {
    const Cella& c = cells[t_cell];
    const bool authored =
        c.tipo == kPlainPoint ||
        (c.tipo == kSpeedPoint &&
         (c.valore1 != kGeneratedPointSpeed || placed_by_author.count(t_cell)));
    if (!authored) continue;
    tr.push_back(
        {LineText(LineKind::kPoint, {static_cast<int64_t>(t_cell) * kCellLength,
                                     c.tipo == kPlainPoint ? 0 : c.valore1}),
         t_cell});
  }
  tr.push_back({std::string(sections::kEnd)});
  return t;
}

std::string Document(const std::vector<Line>& lines) {
  std::string text;
  for (const Line& line : lines) text += line.text + "\r\n";
  return text;
}

// The first difference of two files' records, named by the field lists.
template <typename Record>
std::optional<Mismatch> FirstDifference(
    const std::string& file, const char* unit,
    const std::vector<Record>& expected, const std::vector<Record>& found,
    std::span<const RecordField<Record>> fields, size_t* index) {
  const size_t n = std::max(expected.size(), found.size());
  for (size_t i = 0; i < n; ++i) {
    if (i >= expected.size() || i >= found.size()) {
      *index = i;
      return Mismatch{file, std::string(unit) + " " + std::to_string(i),
                      std::to_string(expected.size()) + " " + unit,
                      std::to_string(found.size()) + " " + unit};
    }
    for (const RecordField<Record>& field : fields) {
      const int64_t a = StoredNumber(expected[i], field);
      const int64_t b = StoredNumber(found[i], field);
      if (a != b) {
        *index = i;
        return Mismatch{file,
                        std::string(unit) + " " + std::to_string(i) + " " +
                            std::string(field.name),
                        std::to_string(a), std::to_string(b)};
      }
    }
  }
  return std::nullopt;
}

// Whether the plan compiled encodes to the package's plan file, compared
// piece by piece as the encoding makes them.
bool SamePlan(const Tracciato& compiled, std::string_view file) {
  // The pieces cover the encoding once: equal in every piece and in all
  // their bytes, the two are the same.
  size_t bytes = 0;
  bool same = true;
  EncodeTrackPlan(compiled, [&](uint64_t offset, std::string_view piece) {
    same = same && offset <= file.size() &&
           file.substr(static_cast<size_t>(offset), piece.size()) == piece;
    bytes += piece.size();
    return same;
  });
  return same && bytes == file.size();
}

// Where the plan compiled first differs from the package's, metre by metre:
// found only when they differ, so the points it holds cost nothing on the
// way that succeeds.
Mismatch PlanDifference(const Tracciato& compiled, std::string_view file) {
  const PlanPoints again = compiled.Points();
  std::optional<Mismatch> first;
  (void)WalkPlanPoints(
      file, [&](size_t metre, const PlanValue& x, const PlanValue& y) {
        const auto m = static_cast<int64_t>(metre);
        if (first || (again.x(m) == x && again.y(m) == y)) return;
        const auto mine = again.x(m);
        first = Mismatch{"plan", "metre " + std::to_string(metre),
                         std::to_string(x.value),
                         mine ? std::to_string(mine->value) : "-"};
      });
  return first.value_or(Mismatch{"plan", "size", "", ""});
}

// Moves to the end of `signals` the signal whose marker cell `q` shows,
// so that it is written after the others that reach that cell.
bool PutLast(const std::vector<Cella>& cells, size_t q,
             std::vector<size_t>* signals) {
  for (size_t b = 1; b <= 4; ++b) {
    const size_t k = q + 2 * b;
    if (k >= cells.size() || cells[k].tipo != kSignal ||
        MarkerOf(cells, k, q) != cells[q].preavviso) {
      continue;
    }
    const auto at = std::find(signals->begin(), signals->end(), k);
    if (at == signals->end() || at + 1 == signals->end()) return false;
    signals->erase(at);
    signals->push_back(k);
    return true;
  }
  return false;
}

// A comment before each line that places something in a cell that came
// out wrong, or the nearest such line before it: each doubtful line once,
// naming its first wrong cell.
void CommentDoubtfulLines(
    const std::vector<std::pair<size_t, Mismatch>>& wrong_cells,
    Language language, std::vector<Line>* text) {
  std::vector<std::pair<size_t, size_t>> by_cell;  // cell, line
  for (size_t i = 0; i < text->size(); ++i) {
    if ((*text)[i].cell != kNoCell) by_cell.push_back({(*text)[i].cell, i});
  }
  std::sort(by_cell.begin(), by_cell.end());
  std::map<size_t, const Mismatch*> doubtful;  // line, its first wrong cell
  for (const auto& [cell, mismatch] : wrong_cells) {
    auto after = std::upper_bound(by_cell.begin(), by_cell.end(),
                                  std::pair{cell, SIZE_MAX});
    if (after == by_cell.begin()) continue;
    doubtful.try_emplace(std::prev(after)->second, &mismatch);
  }
  // From the last line up, so that each insertion leaves the lines above
  // where they were.
  for (auto it = doubtful.rbegin(); it != doubtful.rend(); ++it) {
    const Mismatch& m = *it->second;
    text->insert(text->begin() + static_cast<long>(it->first),
                 {ToolText(ToolMessage::kDoubtfulLine, language,
                           {m.where, m.expected, m.found})});
  }
}

}  // namespace

Decompiled Decompile(const PackageBytes& package, Language language) {
  Decompiled out;
  std::vector<Cella> cells;
  std::array<Voce, kVoci> voci;
  std::vector<Line> curves;
  bool stopped = false;
  for (auto [file, status] :
       {std::pair{"cells", DecodeCells(package.cells, &cells)},
        std::pair{"train", DecodeRecords(package.bank, &voci)},
        std::pair{"plan", package.plan
                              ? Curves(*package.plan, &curves, &stopped)
                              : Status::Ok()}}) {
    if (!status.ok()) {
      out.damaged = status;
      out.damaged_file = file;
      return out;
    }
  }
  const Identity identity{package.route_name, package.train_number};
  std::set<size_t> placed_by_author;
  std::vector<size_t> signals;
  for (size_t k = 0; k < cells.size(); ++k) {
    if (cells[k].tipo == kSignal) signals.push_back(k);
  }
  Texts texts;
  // Write, compile, compare; points of speed 180 that the compile did not
  // place itself were an author's, and a marker another signal's marker
  // overwrote tells which of the two came later: written back so, and
  // tried again.
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    texts = WriteTexts(cells, voci, curves, stopped, language, placed_by_author,
                       signals);
    const std::string route = Document(texts.route);
    const std::string train = Document(texts.train);
    const AuthorCompile compiled = CompileAuthorTexts(
        {route, train, "route", "train", identity},
        {.scrivi_linea = package.plan.has_value(), .diagnose = false});
    const Scenario& s = compiled.scenario;
    const CompileOutcome& outcome = compiled.outcome;
    out.mismatches.clear();
    // Every cell that comes out wrong, with its first wrong field.
    std::vector<std::pair<size_t, Mismatch>> wrong_cells;
    if (outcome.end == CompileOutcome::End::kNoCells ||
        outcome.end == CompileOutcome::End::kNumberedError) {
      out.mismatches.push_back({"cells", "-", "cells", "none"});
    } else {
      size_t at = 0;
      const std::vector<Cella>& found = s.celle.all();
      if (auto m = FirstDifference<Cella>("cells", "cell", cells, found,
                                          kCellFields, &at)) {
        out.mismatches.push_back(*m);
        for (size_t i = at; i < cells.size() && i < found.size(); ++i) {
          for (const RecordField<Cella>& field : kCellFields) {
            const int64_t a = StoredNumber(cells[i], field);
            const int64_t b = StoredNumber(found[i], field);
            if (a == b) continue;
            wrong_cells.push_back(
                {i, Mismatch{"cells",
                             "cell " + std::to_string(i) + " " +
                                 std::string(field.name),
                             std::to_string(a), std::to_string(b)}});
            break;
          }
        }
      }
      std::vector<Voce> a(voci.begin(), voci.end()),
          b(s.voci.begin(), s.voci.end());
      if (auto m = FirstDifference<Voce>("train", "record", a, b, kRecordFields,
                                         &at)) {
        out.mismatches.push_back(*m);
      }
      if (package.plan && !SamePlan(s.tracciato, *package.plan)) {
        out.mismatches.push_back(PlanDifference(s.tracciato, *package.plan));
      }
    }
    // Another try only when an author's point of speed 180 is missing, or
    // a signal's marker was overwritten by one written later.
    // Only the first missing point: the generated points after it, spaced
    // from it, may come right once it is there.
    bool retry = false, point_added = false;
    const std::vector<Cella>& again = s.celle.all();
    const auto point = [](const Cella& c) {
      return c.tipo == kSpeedPoint && c.valore1 == kGeneratedPointSpeed;
    };
    for (size_t i = 0; i < cells.size() && i < again.size(); ++i) {
      if (!point_added && point(cells[i]) && again[i].tipo != kSpeedPoint &&
          !placed_by_author.count(i)) {
        // A point the compile laid in a neighbour of its own cell was
        // moved there by an author's point on that cell, which the
        // compile here laid as its own.
        size_t authored = i;
        for (size_t next : {i + 1, i - 1}) {
          if (next < again.size() && point(cells[next]) && point(again[next]) &&
              !placed_by_author.count(next)) {
            authored = next;
            break;
          }
        }
        placed_by_author.insert(authored);
        retry = point_added = true;
      }
      if (cells[i].preavviso != again[i].preavviso) {
        retry |= PutLast(cells, i, &signals);
      }
    }
    if (out.mismatches.empty() || !retry) {
      for (auto* text : {&texts.route, &texts.train}) {
        CommentDoubtfulLines(wrong_cells, language, text);
      }
      break;
    }
  }
  out.route_text = Document(texts.route);
  out.train_text = Document(texts.train);
  return out;
}

}  // namespace scenario
