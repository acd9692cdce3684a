#ifndef MODEL_SCENARIO_H_
#define MODEL_SCENARIO_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

// The system's number types: Byte, Integer and Long.
using Byte = uint8_t;
using Integer = int16_t;
using Long = int32_t;

inline constexpr Long kCellLength = 50;  // metres of route per cell
inline constexpr Long kRouteExtension =
    7000;  // cells reach this far past the end
inline constexpr Long kMaxRouteLength = 1000000;  // metres
inline constexpr int kVoci = 87;                  // records of the bank
inline constexpr int kMountainSlots = 81;         // slot 0 is never used
// The longest text a record can hold: its length is stored as an Integer.
inline constexpr size_t kMaxTextLength = 32767;

// Cell kinds (`tipo` of a cell).
enum CellKind : Byte {
  kNone = 0,
  kSignal = 1,
  kSlowDownEnd = 2,
  kSlowDownStart = 3,
  kWarningBoard = 4,
  kSlowDownMarker = 5,
  kSpeedBoard = 6,
  kStopPoint = 10,
  kMountainMark = 11,
  kSpeedPoint = 12,
  kPlainPoint = 13,
  kSignboard = 14,
};

// One 50 m track cell. Fields 1 to 5 describe the one object in it, the
// others the track whatever it carries.
struct Cella {
  Byte tipo = 0;
  Integer valore1 = 0;
  Integer valore2 = 0;
  Integer valore3 = 0;
  Integer valore4 = 0;
  Byte tempo = 0;
  Byte preavviso = 0;
  Byte montagna = 0;
  Byte velocita = 0;  // line speed / 5
  Byte pendenza = 0;  // gradient + 100
  Byte aderenza = 0;

  // Objects go only into a free cell; a mountain mark does not count.
  bool free() const { return tipo == kNone || tipo == kMountainMark; }
  bool operator==(const Cella&) const = default;
};

// One record of the bank: a station, a signboard text or general values.
struct Voce {
  Byte tipo = 0;
  Long inizio = 0;
  Long fine = 0;
  Long progressiva = 0;
  Byte byte1 = 0;
  std::string nome;  // single-byte characters
  Integer intero1 = 0;
  Integer intero2 = 0;
  Integer intero3 = 0;
  Integer intero4 = 0;
  Integer intero5 = 0;
  Byte byte2 = 0;
  Byte byte3 = 0;
  Byte byte4 = 0;
  Byte byte5 = 0;
  Long orario = 0;

  bool operator==(const Voce&) const = default;
  // A record that holds a text and nothing else: a signboard's.
  bool holds_only_text() const {
    Voce text_only;
    text_only.nome = nome;
    return *this == text_only;
  }
};

// A station of a type below this has a stop cell, where the train stops:
// the last cell of its zone, less one.
inline constexpr int kStoppingTypesBelow = 25;
inline int64_t StopCellOf(const Voce& station) {
  return int64_t{station.fine} / kCellLength - 1;
}

// Fixed slots of the bank.
inline constexpr int kFirstStationSlot = 1;
inline constexpr int kLastSignboardSlot = 80;
inline constexpr int kReferenceThreeSlot = 81;
inline constexpr int kReferenceTwoSlot = 82;
inline constexpr int kReferenceOneSlot = 83;
// A reference flagged 1 has 100 m added to its km by the compile; the km
// its line gave is that less 100, kept within 32 bits as the compile's sum.
inline constexpr Long kReferenceFlagMetres = 100;
inline Long KmAsWritten(const Voce& reference) {
  return reference.progressiva == 1
             ? static_cast<Long>(int64_t{reference.fine} - kReferenceFlagMetres)
             : reference.fine;
}
inline constexpr int kTrainSlot = 84;  // braked mass, route length, coaches
inline constexpr int kRouteSlot = 85;  // backgrounds, route name, 610, st code
inline constexpr int kExtraSlot = 86;  // cab signals, train number, sand, clock

// Where the three general records keep each value: the one statement that
// the parsers, the decompiler and a dump's words go by.
namespace general_record {
// Record 84, the train's.
inline constexpr Long Voce::*kBrakedMass = &Voce::inizio;
inline constexpr Long Voce::*kRouteLength = &Voce::fine;
inline constexpr Long Voce::*kCoaches = &Voce::progressiva;
// Record 85, the route's: the backgrounds crosswise, "due" in progressiva,
// "tre" in fine; its name, the format constant in intero1 and the st code
// in orario.
inline constexpr Long Voce::*kBackgroundOne = &Voce::inizio;
inline constexpr Long Voce::*kBackgroundTwo = &Voce::progressiva;
inline constexpr Long Voce::*kBackgroundThree = &Voce::fine;
// Record 86: cab signal repetition, the train number as its name, the
// sand and the start clock.
inline constexpr Long Voce::*kCabSignalsStart = &Voce::inizio;
inline constexpr Long Voce::*kCabSignalsEnd = &Voce::fine;
inline constexpr Long Voce::*kCabSignalsCodes = &Voce::progressiva;
inline constexpr Integer Voce::*kSand = &Voce::intero1;
inline constexpr Integer Voce::*kClockHours = &Voce::intero3;
inline constexpr Integer Voce::*kClockMinutes = &Voce::intero4;
inline constexpr Integer Voce::*kClockSeconds = &Voce::intero5;
}  // namespace general_record

// The cells of the route, 0 to `n_celle`. Every index that input can steer
// goes through `at`, which answers nullptr outside the array.
class Celle {
 public:
  void Assign(std::vector<Cella> cells) { cells_ = std::move(cells); }
  void Create(Long n_celle) {
    cells_.assign(static_cast<size_t>(n_celle) + 1, {});
  }
  bool exists() const { return !cells_.empty(); }
  size_t size() const { return cells_.size(); }

  Cella* at(int64_t index) {
    return index >= 0 && static_cast<uint64_t>(index) < cells_.size()
               ? &cells_[static_cast<size_t>(index)]
               : nullptr;
  }
  const Cella* at(int64_t index) const {
    return const_cast<Celle*>(this)->at(index);
  }
  const std::vector<Cella>& all() const { return cells_; }

 private:
  std::vector<Cella> cells_;
};

// One coordinate of a plan point: empty until computed; the first two
// points are 16-bit integers, every computed one a double.
struct PlanValue {
  enum class Kind : uint8_t { kEmpty, kInteger, kReal };
  Kind kind = Kind::kEmpty;
  double value = 0;  // the integer's value when kind is kInteger

  static PlanValue Integer(scenario::Integer v) {
    return {Kind::kInteger, static_cast<double>(v)};
  }
  static PlanValue Real(double v) { return {Kind::kReal, v}; }
  bool operator==(const PlanValue&) const = default;
};

// One coordinate of the whole plan, metre by metre: the values and their
// kinds in two arrays, 9 bytes a metre, for a plan of a million metres.
class PlanColumn {
 public:
  size_t size() const { return values_.size(); }
  PlanValue operator[](size_t metre) const {
    return {kinds_[metre], values_[metre]};
  }
  bool operator==(const PlanColumn&) const = default;

 private:
  friend class PlanPoints;
  std::vector<double> values_;
  std::vector<PlanValue::Kind> kinds_;
};

// A plan as a file holds it, point by point: metres 0 to
// `lunghezza_estesa`, x and y, any value at any metre, for the tools that
// read a package. Every metre that input can steer goes through `Set`, `x`
// and `y`, which answer false or nothing outside the plan.
class PlanPoints {
 public:
  void Create(Long lunghezza_estesa) {
    const size_t size = static_cast<size_t>(lunghezza_estesa) + 1;
    for (PlanColumn* column : {&x_, &y_}) {
      column->values_.assign(size, 0);
      column->kinds_.assign(size, PlanValue::Kind::kEmpty);
    }
  }
  void Assign(const std::vector<PlanValue>& xs,
              const std::vector<PlanValue>& ys) {
    for (auto [column, values] : {std::pair{&x_, &xs}, std::pair{&y_, &ys}}) {
      column->values_.clear();
      column->kinds_.clear();
      for (const PlanValue& v : *values) {
        column->values_.push_back(v.value);
        column->kinds_.push_back(v.kind);
      }
    }
  }
  bool exists() const { return x_.size() > 0; }
  size_t size() const { return x_.size(); }

  // One coordinate at a time, as a plan file holds them.
  bool SetX(int64_t metre, PlanValue x) { return SetOne(x_, metre, x); }
  bool SetY(int64_t metre, PlanValue y) { return SetOne(y_, metre, y); }
  bool Set(int64_t metre, PlanValue x, PlanValue y) {
    if (!Inside(metre)) return false;
    const size_t m = static_cast<size_t>(metre);
    x_.values_[m] = x.value;
    x_.kinds_[m] = x.kind;
    y_.values_[m] = y.value;
    y_.kinds_[m] = y.kind;
    return true;
  }
  std::optional<PlanValue> x(int64_t metre) const {
    if (!Inside(metre)) return std::nullopt;
    return x_[static_cast<size_t>(metre)];
  }
  std::optional<PlanValue> y(int64_t metre) const {
    if (!Inside(metre)) return std::nullopt;
    return y_[static_cast<size_t>(metre)];
  }
  const PlanColumn& xs() const { return x_; }
  const PlanColumn& ys() const { return y_; }
  // Every point in order, as `visit(metre, x, y)`.
  template <typename Visit>
  void Walk(Visit&& visit) const {
    for (size_t m = 0; m < x_.size(); ++m) visit(m, x_[m], y_[m]);
  }
  // The same, with `pause()` after every `every` points.
  template <typename Visit, typename Pause>
  void Walk(Visit&& visit, size_t every, Pause&& pause) const {
    for (size_t m = 0; m < x_.size(); ++m) {
      visit(m, x_[m], y_[m]);
      if ((m + 1) % every == 0) pause();
    }
  }

 private:
  bool SetOne(PlanColumn& column, int64_t metre, PlanValue value) {
    if (!Inside(metre)) return false;
    column.values_[static_cast<size_t>(metre)] = value.value;
    column.kinds_[static_cast<size_t>(metre)] = value.kind;
    return true;
  }
  bool Inside(int64_t metre) const {
    return metre >= 0 && static_cast<uint64_t>(metre) < x_.size();
  }
  PlanColumn x_;
  PlanColumn y_;
};

// The plan as the route text lays it: the track leaves the origin along
// +y (metres 0 and 1, as integers), then turns metre by metre, each metre's
// step the last one rotated by its run's rate, to first order; past the
// last metre laid the points are empty. Held as its runs, one a curve or a
// straight, not as points: the points of a million metres are worked out
// as they are written, and never held.
class Tracciato {
 public:
  // A plan of metres 0 to `lunghezza_estesa`, none laid yet.
  void Create(Long lunghezza_estesa) {
    size_ = static_cast<size_t>(std::max<Long>(lunghezza_estesa, 0)) + 1;
    runs_.clear();
    begun_ = false;
    cursor_ = 0;
  }
  bool exists() const { return size_ > 0; }
  size_t size() const { return size_; }
  // Lays metres 0 and 1.
  void Begin() {
    begun_ = true;
    runs_.clear();
    cursor_ = std::min<int64_t>(2, static_cast<int64_t>(size_));
  }
  // The next metre to lay.
  int64_t cursor() const { return cursor_; }
  // The metres laid, from metre 0: the points that hold values.
  size_t laid() const { return begun_ ? static_cast<size_t>(cursor_) : 0; }
  // Lays the metres from the cursor to `until`, none past the plan's last,
  // each turning by `kappa` (to the right, or to the left when negative).
  void Lay(int64_t until, double kappa) {
    const int64_t last = static_cast<int64_t>(size_) - 1;
    if (!begun_ || until < cursor_ || cursor_ > last) return;
    const int64_t end = std::min(until, last);
    if (!runs_.empty() && runs_.back().kappa == kappa) {
      runs_.back().last = end;
    } else {
      runs_.push_back({end, kappa});
    }
    cursor_ = end + 1;
  }

  // Every point in order, as `visit(metre, x, y)`, worked out as the
  // points have always been: in plain double arithmetic, in this order.
  template <typename Visit>
  void Walk(Visit&& visit) const {
    Walk(visit, size_, [] {});
  }
  // The same, with `pause()` after every `every` metres for the visitor's
  // slower work (handing a piece over), so that between pauses the
  // points' arithmetic runs without a call and keeps its values in
  // registers.
  template <typename Visit, typename Pause>
  void Walk(Visit&& visit, size_t every, Pause&& pause) const {
    size_t m = 0;
    size_t next_pause = every;
    auto up_to = [&](size_t end) { return std::min(end, next_pause); };
    auto paused = [&] {
      if (m == next_pause) {
        pause();
        next_pause += every;
      }
    };
    if (begun_) {
      visit(m++, PlanValue::Integer(0), PlanValue::Integer(0));
      if (m < size_) visit(m++, PlanValue::Integer(0), PlanValue::Integer(1));
      double x0 = 0, y0 = 0, x1 = 0, y1 = 1;
      for (const Run& run : runs_) {
        const auto end = static_cast<size_t>(run.last + 1);
        while (m < end) {
          for (const size_t stop = up_to(end); m < stop; ++m) {
            const double dx = x1 - x0;
            const double dy = y1 - y0;
            const double x = x1 + (dx + run.kappa * dy);
            const double y = y1 + (dy - run.kappa * dx);
            visit(m, PlanValue::Real(x), PlanValue::Real(y));
            x0 = x1;
            y0 = y1;
            x1 = x;
            y1 = y;
          }
          paused();
        }
      }
    }
    while (m < size_) {
      for (const size_t stop = up_to(size_); m < stop; ++m) {
        visit(m, PlanValue{}, PlanValue{});
      }
      paused();
    }
  }
  bool operator==(const Tracciato&) const = default;

  // The points, held: for drawing a plan, not for writing one.
  PlanPoints Points() const {
    PlanPoints points;
    if (size_ > 0) points.Create(static_cast<Long>(size_ - 1));
    Walk([&](size_t m, const PlanValue& x, const PlanValue& y) {
      points.Set(static_cast<int64_t>(m), x, y);
    });
    return points;
  }

 private:
  struct Run {
    int64_t last;  // the run's last metre
    double kappa;
    bool operator==(const Run&) const = default;
  };
  size_t size_ = 0;
  bool begun_ = false;
  int64_t cursor_ = 0;
  std::vector<Run> runs_;
};

// A field of a source line as the compiler's table of lines numbers it:
// the kind of line and the field's place in it; -1 when there is none.
struct FieldRef {
  int line = -1;
  int field = -1;
  bool valid() const { return line >= 0 && field >= 0; }
  bool operator==(const FieldRef&) const = default;
};

// Where the compile raised its code: the source text, line and column of
// the item that caused it (0 when the code has none), the field it stands
// in and the value found there, and for a reading fault what was wrong.
// Nothing in the package depends on it; tools show it.
struct ErrorSite {
  enum class Fault : uint8_t {
    kNone,
    kEndOfFile,     // the text ended inside a line's fields
    kNotANumber,    // a numeric field holds something else
    kBeyond32Bits,  // a number beyond 32 bits
    kBeyondField,   // a value beyond its field (a byte, an Integer, a text)
    kTextMissing,   // the train text does not exist
    kUnexpected,    // anything else the reading could not go on from
  };
  std::string file;
  int line = 0;
  int column = 0;
  Fault fault = Fault::kNone;
  FieldRef field = {};
  std::optional<int64_t> value = std::nullopt;
  // A field missing from its line, which the reading took from this later
  // line; 0 when the field stood on its own line.
  int taken_from_line = 0;
};

// One code, warning or note the compile raised, in the order raised. The
// package does not depend on them; tools show them to scenario authors.
struct Diagnostic {
  enum class Severity : uint8_t { kError, kWarning, kNote };
  Severity severity = Severity::kError;
  Long code = 0;
  std::optional<Long> position;  // the progressive that goes with it
  ErrorSite site;
  std::string detail;                // what its message names beyond the code
  std::vector<int64_t> values = {};  // numbers it names: a line's fields
  // The other place the message names: the line whose object holds a
  // taken cell. Line 0: none.
  ErrorSite related = {};
  // What the value became: the low bits a field kept, or the cell an
  // object off the grid went to.
  std::optional<int64_t> stored = std::nullopt;
  // Why, where one code has several causes.
  enum class Cause : uint8_t {
    kOwn,
    kEarlierCode,     // a line stopped by a code an earlier line left set
    kOutOfOrder,      // a station before the previous one
    kCurveBehind,     // a curve behind the plan's cursor
    kNoSuggestion,    // an unknown keyword close to none
    kOtherPart,       // a keyword of the route's other part
    kWritesNoCell,    // a profile line at cell 0 after the cursor moved on
    kThousands,       // extra fields from a comma written in a number
    kMisspeltHeader,  // no "[generale]", but a header close to it
    kGeneralAgain,    // "[generale]" again, where the route's body begins
    kNotClosed,       // a header without its "]", in the general part
    kPlanTooLong,     // code 103 from the plan's cursor, not a class digit
    kNoPositiveKm,    // references starting at 0 with no km to order by
  };
  Cause cause = Cause::kOwn;
  // Found by reading on past the first error of a text, for an author:
  // the compile itself stopped before it.
  bool found_reading_on = false;
  // Found on a curve line by a compile with the plan, for an author who
  // compiled without it: the files do not reflect it, a compile with the
  // plan would.
  bool found_with_plan = false;
};

// A text full of small mistakes must not fill memory or the screen with
// warnings and notes: past this many of each, they are only counted.
// Errors are never left out.
inline constexpr size_t kMaxWarnings = 1000;

// One compiled scenario: one route and one train.
// A slow-down as its line gave it: what the driver's slow-order form
// tells, which the cells keep only rounded to their grid.
struct SlowDownLine {
  Long start = 0;
  Long speed = 0;             // km/h
  Long length = 0;            // m
  Long approach_markers = 0;  // `f_ta`: not 0, four markers before the board
};

struct Scenario {
  Celle celle;
  std::array<Voce, kVoci> voci;
  Tracciato tracciato;
  std::array<Long, kMountainSlots> inizio_montagna{};
  std::array<Long, kMountainSlots> fine_montagna{};
  Long n_montagne = 0;
  bool scrivi_linea = false;  // build the track plan and write its file
  std::string nome_linea;
  std::string numero_treno;
  std::string riga;
  // The cells the last object placed took, and the taken cell an object
  // was refused on (-1: none), so that a refusal can name what holds it.
  std::vector<int64_t> placed_cells;
  int64_t refused_cell = -1;
  Long lunghezza_estesa = 0;
  Long n_celle = 0;
  Long codice_errore = 0;
  Long posizione_errore = 0;
  ErrorSite error_site;
  std::vector<Diagnostic> diagnostics;
  size_t omitted_warnings = 0;  // past kMaxWarnings, counted only
  size_t omitted_notes = 0;
  // For the driver's documents and what is told of the timetable: the
  // slow-down lines read, and where the line of each station stored
  // stands (the first station's first).
  std::vector<SlowDownLine> slow_down_lines;
  std::vector<ErrorSite> station_sites;
  // For what is told of the kilometric references, which the compile puts
  // in its own order: the record each of the records 81 to 83 was read
  // into before (81 from the line "tre", 82 "due", 83 "uno"); 0 where the
  // order cleared it, or where no order was made.
  std::array<int, 3> reference_origins{};
};

}  // namespace scenario

#endif  // MODEL_SCENARIO_H_
