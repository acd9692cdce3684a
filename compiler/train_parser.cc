#include "compiler/train_parser.h"

#include <limits>

#include "model/cell_units.h"
#include "model/diagnostic_codes.h"
#include "model/placement.h"
#include "model/rounding.h"

namespace scenario {
namespace {

constexpr int kCommentReads = 2;
constexpr Long kRangeMargin = 100;         // metres, the range check's margin
constexpr Long kStationRangeMargin = 800;  // metres, for stations
constexpr Long kStationLengthUnit = 100;   // metres
constexpr Long kStationSpacing = 350;      // metres between two zones
constexpr Long kEndFlagMetres = 50;
constexpr Long kShortZone = 600;       // metres
constexpr Long kTypeBeforeStop = 150;  // metres past types 5 and 6
constexpr int kStationMarkers = 4;
constexpr Byte kStationMarkerBase = 80;

}  // namespace

Flow TrainParser::Read() {
  // A train text without "[generale]" is read as empty, without a code:
  // a train without speed or stations, which an author never means.
  const bool started = FindStart();
  const Flow flow = started
                        ? ReadLines(kCommentReads, [this] { return Line(); })
                        : Flow::kEnded;
  if (!started && start_near_miss_) {
    // The header meant as "[generale]" is why nothing is read.
    Diagnostic d = Warning(kEmptyTrain, *start_near_miss_);
    d.cause = Diagnostic::Cause::kMisspeltHeader;
    d.detail = start_near_miss_->text;
    Report(s_, std::move(d));
  } else if (!any_line_) {
    Warn(kEmptyTrain, Item{{}, 1, 1, true});
  }
  return flow;
}

Flow TrainParser::Line() {
  // A key item naming several lines runs each of their handlers.
  KeywordDispatch run;
  for (const SourceLine& line : LinesOf(Phase::kTrain)) {
    run(Names(line, key_.text), [&] {
      CheckGlued(line);
      return Handle(line);
    });
  }
  any_line_ = any_line_ || run.matched();
  if (run.flow() == Flow::kContinue) {
    CheckKeyItem(run.matched(), Phase::kTrain);
    if (run.matched()) CheckLineEnd();
  }
  return run.flow();
}

Flow TrainParser::Handle(const SourceLine& line) {
  Voce& train = s_.voci[kTrainSlot];
  // The train's single values are given once; a second line silently wins.
  const bool single =
      line.kind == LineKind::kBrakedMass || line.kind == LineKind::kCoaches ||
      line.kind == LineKind::kClock || line.kind == LineKind::kSand;
  if (single && !single_seen_.insert(line.kind).second) {
    Warn(kRepeatedLine, key_, std::string(line.spellings[0]));
  }
  switch (line.kind) {
    case LineKind::kBrakedMass:
      return Field(line, &(train.*general_record::kBrakedMass));
    case LineKind::kCoaches:
      return Field(line, &(train.*general_record::kCoaches));
    case LineKind::kSpeed:
      return ProfileLine(line, speed_);
    case LineKind::kAdhesion:
      return ProfileLine(line, adhesion_);
    case LineKind::kClock:
      return Clock(line);
    case LineKind::kSand:
      return Field(line, &(s_.voci[kExtraSlot].*general_record::kSand));
    case LineKind::kSignal:
      return Signal(line);
    case LineKind::kSlowDown:
      return SlowDown(line);
    case LineKind::kPoint:
      return Point(line);
    case LineKind::kStation:
      return Station(line);
    default:
      return Flow::kContinue;
  }
}

bool TrainParser::WriteProfile(Profile& profile) {
  if (Cella* cell = s_.celle.at(profile.cursor)) {
    if (profile.field == &Cella::velocita) {
      // Speeds are stored in steps of 5 km/h and must fit their byte.
      const int64_t steps = CellSpeed(profile.value);
      if (steps < 0 || steps > std::numeric_limits<Byte>::max()) {
        Fault(ErrorSite::Fault::kBeyondField, profile.line,
              &LineOf(LineKind::kSpeed).fields[1], profile.value);
        return false;
      }
      cell->velocita = static_cast<Byte>(steps);
    } else {
      cell->*profile.field = LowByte(profile.value);
    }
  }
  ++profile.cursor;
  return true;
}

Flow TrainParser::ProfileLine(const SourceLine& line, Profile& profile) {
  Long p = 0;
  Long value = 0;
  if (!Read(line.fields[0], &p) || !Read(line.fields[1], &value)) {
    return Flow::kFault;
  }
  const Item value_item = last_;
  if (!InCells(p, kRangeMargin)) return Beyond(p, kRangeMargin);
  // The previous value holds up to the cell before this line's cell.
  const int64_t target = ProfileCell(p);
  WarnBehind(target, profile.cursor, p);
  if (target > 0) {
    do {
      if (profile.cursor >= s_.n_celle) break;
      if (!WriteProfile(profile)) return Flow::kFault;
    } while (profile.cursor < target);
  }
  profile.value = value;
  profile.line = value_item;
  return Flow::kContinue;
}

Flow TrainParser::Clock(const SourceLine& line) {
  Voce& extra = s_.voci[kExtraSlot];
  for (size_t i = 0;
       Integer * value : {&(extra.*general_record::kClockHours),
                          &(extra.*general_record::kClockMinutes),
                          &(extra.*general_record::kClockSeconds)}) {
    if (!Read(line.fields[i++], value)) return Flow::kFault;
  }
  return Flow::kContinue;
}

Flow TrainParser::Signal(const SourceLine& line) {
  Long posizione = 0;
  Segnale signal;
  for (size_t i = 0;
       Long * value : {&posizione, &signal.sx, &signal.s1, &signal.s2,
                       &signal.s3, &signal.rapp, &signal.dx, &signal.d1,
                       &signal.d2, &signal.d3, &signal.tempo}) {
    if (!Read(line.fields[i++], value)) return Flow::kFault;
  }
  if (!InCells(posizione, kRangeMargin)) return Beyond(posizione, kRangeMargin);
  NoteOffCell(posizione);
  return Placed(memo_segnale(s_, posizione, signal), posizione);
}

Flow TrainParser::SlowDown(const SourceLine& line) {
  Long x = 0;
  Rallentamento slow_down;
  Item length;
  for (size_t i = 0;
       Long * value : {&x, &slow_down.v, &slow_down.l, &slow_down.f_tt,
                       &slow_down.f_ta, &slow_down.d_v}) {
    if (!Read(line.fields[i++], value)) return Flow::kFault;
    if (value == &slow_down.l) length = last_;
  }
  if (!InCells(x, kRangeMargin)) return Beyond(x, kRangeMargin);
  s_.slow_down_lines.push_back({x, slow_down.v, slow_down.l, slow_down.f_ta});
  if (slow_down.l < 0) {
    // Its end falls before its start, and the spacing points that follow
    // the slow-down run on from there.
    Diagnostic d = Warning(kNegativeLength, length);
    d.site.field = RefOf(line.fields[2]);
    d.site.value = slow_down.l;
    d.position = x;
    Report(s_, std::move(d));
  }
  return Placed(memo_rallentamento(s_, x, slow_down), x);
}

Flow TrainParser::Point(const SourceLine& line) {
  Long p = 0;
  Long w = 0;
  if (!Read(line.fields[0], &p) || !Read(line.fields[1], &w)) {
    return Flow::kFault;
  }
  if (!InCells(p, kRangeMargin)) return Beyond(p, kRangeMargin);
  const int64_t k = ProfileCell(p);
  Cella* cell = s_.celle.at(k);
  if (cell == nullptr) return Stop(kCellOutsideRoute, p);
  if (!cell->free()) return StopTaken(kPointCellTaken, p, k);
  s_.placed_cells.push_back(k);
  if (w > 0) {
    cell->tipo = kSpeedPoint;
    cell->valore1 = LowInteger(w);
  } else {
    cell->tipo = kPlainPoint;
  }
  return Flow::kContinue;
}

Flow TrainParser::Station(const SourceLine& line) {
  // Records above the signboard slot hold signboard texts: a station there
  // would overwrite one.
  if (station_ > signboard_slot_) return Stop(kTooManyStations);
  Voce& station = s_.voci[station_];
  const std::span<const SourceField> field = line.fields;

  if (!Read(field[0], &station.progressiva)) return Flow::kFault;
  const Long p = station.progressiva;
  if (!InCells(p, kStationRangeMargin)) return Beyond(p, kStationRangeMargin);
  if (p % kCellLength != 0) return Stop(kStationNotOnCell, p);

  Long length = 0;
  if (!Read(field[1], &station.tipo) || !Read(field[2], &length)) {
    return Flow::kFault;
  }
  if (length % kStationLengthUnit != 0) {
    // The progressive goes with the code; the caret goes under the length.
    RaiseCode(s_, kStationLengthNotMultipleOf100, p, Site(last_));
    return Flow::kStopped;
  }

  Long hours = 0;
  Long minutes = 0;
  Long seconds = 0;
  if (!Read(field[3], &station.byte1) || !Read(field[4], &station.byte5) ||
      !Read(field[5], &station.byte4) || !Read(field[6], &station.intero1) ||
      !Read(field[7], &station.intero2) || !Read(field[8], &station.byte2) ||
      !Read(field[9], &station.intero3) || !Read(field[10], &station.intero4) ||
      !Read(field[11], &station.intero5) || !Read(field[12], &station.byte3) ||
      !Read(field[13], &hours) || !Read(field[14], &minutes) ||
      !Read(field[15], &seconds) ||
      !FitsLong((int64_t{hours} * 60 + minutes) * 60 + seconds,
                &station.orario) ||
      !Read(field[16], &station.nome)) {
    return Flow::kFault;
  }
  if (station_ > kFirstStationSlot &&
      station.orario <= s_.voci[station_ - 1].orario) {
    Diagnostic d = Warning(kTimesNotIncreasing, first_field_);
    d.detail = s_.voci[station_ - 1].nome;
    d.position = p;
    d.values = {station.orario, s_.voci[station_ - 1].orario};
    Report(s_, std::move(d));
  }
  return StationZone(station, p, length);
}

Flow TrainParser::StationZone(Voce& station, Long p, Long length) {
  int64_t inizio;
  int64_t fine;
  switch (station.tipo) {
    case 5:
    case 6:  // the zone ends just past the station
      inizio = int64_t{p} - length;
      fine = int64_t{p} + kTypeBeforeStop;
      station.byte4 = 0;
      break;
    case 7:
    case 8:
      inizio = int64_t{p} - length;
      fine = int64_t{p} + length;
      station.byte4 = 0;
      break;
    default:  // centred on the station
      inizio = int64_t{p} - length / 2;
      fine =
          int64_t{p} + length / 2 + (station.byte4 != 0 ? kEndFlagMetres : 0);
      break;
  }
  if (!FitsLong(inizio, &station.inizio) || !FitsLong(fine, &station.fine)) {
    return Flow::kFault;
  }
  if (length < kShortZone) station.byte5 = 0;
  if (station_ == kFirstStationSlot) {
    station.byte4 = 0;
    station.byte5 = 0;
  }

  // The zone end is a multiple of 50: its cell, less one, is the stop cell.
  const int64_t end_cell = fine / kCellLength;
  const bool marked = station.tipo < kStoppingTypesBelow;
  if (marked && station.tipo != 5 && station.tipo != 6) {
    for (int i = 1; i <= kStationMarkers; ++i) {
      const int64_t q = end_cell - i - 1;
      if (q <= 1) continue;
      if (Cella* cell = s_.celle.at(q)) {
        cell->preavviso = static_cast<Byte>(kStationMarkerBase + i);
      }
    }
  }
  if (marked) {
    if (StopCellOf(station) <= 1) return Stop(kStopZoneTooEarly);
    Cella* stop = s_.celle.at(StopCellOf(station));
    if (stop == nullptr) return Stop(kCellOutsideRoute, p);
    // The stop point is written whatever the cell held.
    stop->tipo = kStopPoint;
    s_.placed_cells.push_back(StopCellOf(station));
    stop->valore1 = static_cast<Integer>(station_);
  }
  if (station_ > kFirstStationSlot &&
      inizio - kStationSpacing < s_.voci[station_ - 1].fine) {
    const Voce& previous = s_.voci[station_ - 1];
    Stop(kStationsTooClose, p, previous.nome);
    if (p < previous.progressiva) {
      s_.diagnostics.back().cause = Diagnostic::Cause::kOutOfOrder;
    }
    return Flow::kStopped;
  }
  s_.station_sites.push_back(LineSite());
  ++station_;
  if (station_ >= signboard_slot_) return Stop(kTooManyStations);
  return Flow::kContinue;
}

Flow TrainParser::WriteTails() {
  for (Profile* profile : {&speed_, &adhesion_}) {
    do {
      if (!WriteProfile(*profile)) return Flow::kFault;
    } while (profile->cursor < int64_t{s_.n_celle} - 2);
  }
  return Flow::kEnded;
}

}  // namespace scenario
