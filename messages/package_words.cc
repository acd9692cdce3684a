#include "messages/package_words.h"

#include <cstdio>

#include "compiler/source_lines.h"
#include "model/cell_units.h"
#include "model/placement.h"

namespace scenario {

namespace {

// A speed pair of a speed board, left|right in km/h.
std::string SpeedPairText(Integer v) {
  return Format("%d|%d", SpeedPairLeft(v), SpeedPairRight(v));
}

// What a record of the bank holds, by its slot.
enum class Role {
  kTrain,
  kRoute,
  kGeneral,
  kReference,
  kEmpty,
  kSignboard,
  kStation
};
Role RoleOf(const Voce& v, int slot) {
  if (slot == kTrainSlot) return Role::kTrain;
  if (slot == kRouteSlot) return Role::kRoute;
  if (slot == kExtraSlot) return Role::kGeneral;
  if (slot >= kReferenceThreeSlot) return Role::kReference;
  if (v == Voce{}) return Role::kEmpty;
  if (slot >= kFirstStationSlot && v.holds_only_text()) return Role::kSignboard;
  return Role::kStation;
}

// A value of a line, named as its field: "vas 60 km/h".
std::string NamedValue(LineKind kind, size_t field, int64_t value,
                       Language language) {
  const SourceField& f = LineOf(kind).fields[field];
  std::string text(language == Language::kItalian ? f.italian : f.english);
  text += " " + std::to_string(value);
  if (!f.unit.empty()) text += " " + std::string(f.unit);
  return text;
}

// The values of a line's fields after its progressive, in their order.
std::string NamedValues(LineKind kind, std::initializer_list<int64_t> values,
                        Language language) {
  std::string text;
  size_t field = 1;
  for (const int64_t value : values) {
    if (field > 1) text += ", ";
    text += NamedValue(kind, field++, value, language);
  }
  return text;
}

}  // namespace

std::string ObjectText(const Scenario& s, size_t k, Language language) {
  const PlotLabels words = PlotLabelsFor(language);
  const Cella& c = s.celle.all().at(k);
  auto object = [&](PlotWord name, std::string values) {
    return std::string(words[name]) + ": " + values;
  };
  // A slow-down's fields, as its start, end and warning board keep them.
  auto slow_down = [&](size_t field, int64_t value) {
    return NamedValue(LineKind::kSlowDown, field, value, language);
  };
  enum { kSpeed = 1, kFTt = 3, kSecondSpeed = 5 };
  switch (c.tipo) {
    case kSignal: {
      const Segnale g = SignalAt(s.celle.all(), k);
      return object(PlotWord::kSignalObject,
                    NamedValues(LineKind::kSignal,
                                {g.sx, g.s1, g.s2, g.s3, g.rapp, g.dx, g.d1,
                                 g.d2, g.d3, g.tempo},
                                language));
    }
    case kSpeedBoard: {
      const IndicatoreVMax b = SpeedBoardAt(c);
      return object(PlotWord::kSpeedBoardObject,
                    NamedValues(LineKind::kSpeedBoard,
                                {b.vas, b.vbs, b.vcs, b.strisces, b.vad, b.vbd,
                                 b.vcd, b.strisced},
                                language));
    }
    case kSignboard: {
      const SourceField& text = LineOf(LineKind::kSignboard).fields[1];
      const bool known =
          c.valore1 >= kFirstStationSlot && c.valore1 <= kLastSignboardSlot;
      return object(
          PlotWord::kSignboardObject,
          std::string(language == Language::kItalian ? text.italian
                                                     : text.english) +
              " \"" +
              (known ? s.voci[static_cast<size_t>(c.valore1)].nome : "") +
              "\" (record " + std::to_string(c.valore1) + ")");
    }
    case kWarningBoard:
      return object(PlotWord::kWarningBoardObject,
                    slow_down(kSpeed, c.valore1) + ", " +
                        slow_down(kSecondSpeed, c.valore2));
    case kSlowDownStart:
    case kSlowDownEnd:
      return object(c.tipo == kSlowDownStart ? PlotWord::kSlowDownStartObject
                                             : PlotWord::kSlowDownEndObject,
                    slow_down(kSpeed, c.valore1) + ", " +
                        slow_down(kFTt, c.valore3) + ", " +
                        slow_down(kSecondSpeed, c.valore2));
    case kSlowDownMarker:
      return Format(words[PlotWord::kApproachMarkerObject], c.valore1);
    case kStopPoint:
      return Format(words[PlotWord::kStopPointObject], c.valore1);
    case kSpeedPoint:
      return object(PlotWord::kPointObject,
                    NamedValues(LineKind::kPoint, {c.valore1}, language));
    case kPlainPoint:
      return object(PlotWord::kPointObject, words[PlotWord::kWithoutSpeed]);
  }
  return "";
}

std::string RoleName(const Voce& v, int slot, const DumpWords& w) {
  return w.at(DumpWord::kRoleTrain, static_cast<int>(RoleOf(v, slot)));
}

std::string ClockText(int hours, int minutes, int seconds) {
  return Format("%d:%02d:%02d", hours, minutes, seconds);
}

// What a cell carries, in words.
std::string CellText(const Cella& c, size_t index, const DumpWords& w) {
  auto second_speed = [&](std::string text) {
    if (c.valore2 != 0) text += Format(w[DumpWord::kSecondSpeed], c.valore2);
    return text;
  };
  switch (c.tipo) {
    case kNone:
      if (index == 1 && (c.valore1 != 0 || c.valore2 != 0)) {
        return Format(w[DumpWord::kCellOne], c.valore1, c.valore2);
      }
      return c.valore1 || c.valore2 || c.valore3 || c.valore4
                 ? Format(w[DumpWord::kValues], c.valore1, c.valore2, c.valore3,
                          c.valore4)
                 : "";
    case kSignal:
      return Format(w[DumpWord::kSignal], FirstDigit(c.valore1),
                    SecondDigit(c.valore1), FirstDigit(c.valore2),
                    SecondDigit(c.valore2), FirstDigit(c.valore3),
                    SecondDigit(c.valore3), c.valore4, c.tempo);
    case kSlowDownEnd:
    case kSlowDownStart: {
      std::string text = second_speed(Format(c.tipo == kSlowDownEnd
                                                 ? w[DumpWord::kSlowDownEnd]
                                                 : w[DumpWord::kSlowDownStart],
                                             c.valore1));
      if (c.valore3 != 0) text += Format(w[DumpWord::kFTt], c.valore3);
      return text;
    }
    case kWarningBoard:
      return second_speed(Format(w[DumpWord::kWarningBoard], c.valore1));
    case kSlowDownMarker:
      return Format(w[DumpWord::kSlowDownMarker], c.valore1);
    case kSpeedBoard:
      return w[DumpWord::kSpeedBoard] + SpeedPairText(c.valore1) + ", " +
             SpeedPairText(c.valore2) + ", " + SpeedPairText(c.valore3) +
             Format(w[DumpWord::kStripes], FirstDigit(c.valore4),
                    SecondDigit(c.valore4));
    case kStopPoint:
      return Format(w[DumpWord::kStopPoint], c.valore1);
    case kMountainMark:
      return w[DumpWord::kMountainMark];
    case kSpeedPoint:
      return Format(w[DumpWord::kSpeedPoint], c.valore1);
    case kPlainPoint:
      return w[DumpWord::kPlainPoint];
    case kSignboard:
      return Format(w[DumpWord::kSignboard], c.valore1);
  }
  return Format(w[DumpWord::kOtherKind], c.tipo, c.valore1, c.valore2,
                c.valore3, c.valore4);
}

std::string RecordText(const Voce& v, int slot, const DumpWords& w) {
  namespace general = general_record;
  const Role role = RoleOf(v, slot);
  const std::string role_name =
      w.at(DumpWord::kRoleTrain, static_cast<int>(role));
  switch (role) {
    case Role::kEmpty:
      return role_name;
    case Role::kSignboard:
      return role_name + ": " + v.nome;
    case Role::kReference:
      return Format(w[DumpWord::kReference],
                    std::string(LineOf(ReferenceLineOf(slot)).words[0]).c_str(),
                    v.inizio, v.fine, v.progressiva);
    case Role::kTrain:
      return Format(w[DumpWord::kTrainValues], v.*general::kBrakedMass,
                    v.*general::kRouteLength, v.*general::kCoaches);
    case Role::kRoute:
      return role_name + " " + v.nome +
             Format(w[DumpWord::kRouteValues], v.*general::kBackgroundOne,
                    v.*general::kBackgroundTwo, v.*general::kBackgroundThree,
                    v.intero1, v.orario);
    case Role::kGeneral:
      return w.at(DumpWord::kRoleTrain, static_cast<int>(Role::kTrain)) +
             std::string(" ") + v.nome +
             Format(
                 w[DumpWord::kGeneralValues], v.*general::kCabSignalsStart,
                 v.*general::kCabSignalsEnd, v.*general::kCabSignalsCodes,
                 v.*general::kSand,
                 ClockText(v.*general::kClockHours, v.*general::kClockMinutes,
                           v.*general::kClockSeconds)
                     .c_str());
    case Role::kStation:
      break;
  }
  return role_name + " " + v.nome +
         Format(w[DumpWord::kStation], v.tipo, v.progressiva, v.inizio, v.fine,
                ClockText(v.orario / 3600, v.orario / 60 % 60, v.orario % 60)
                    .c_str(),
                v.byte1, v.byte2, v.byte3, v.byte4, v.byte5, v.intero1,
                v.intero2, v.intero3, v.intero4, v.intero5);
}

}  // namespace scenario
