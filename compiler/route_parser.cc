#include "compiler/route_parser.h"

#include <algorithm>
#include <limits>

#include "compiler/reference_ordering.h"
#include "model/cell_units.h"
#include "model/curve_classes.h"
#include "model/diagnostic_codes.h"
#include "model/placement.h"
#include "model/rounding.h"

namespace scenario {
namespace {

constexpr int kGeneralCommentReads = 10;
constexpr int kBodyCommentReads = 2;
constexpr Long kRangeMargin = 100;  // metres, the range check's margin
constexpr int64_t kMaxPlanCursor = 1000000;
constexpr Long kCodeCountFour = 4;
constexpr Long kCodeCountNine = 9;

bool OnCell(int64_t p) { return p % kCellLength == 0; }

}  // namespace

Flow RouteParser::Read() {
  if (!FindStart()) {
    if (!start_near_miss_) return Stop(kNoGeneralSection);
    // The header meant as "[generale]" is the cause, not the text's end.
    Diagnostic d{Diagnostic::Severity::kError, kNoGeneralSection, std::nullopt,
                 Site(*start_near_miss_), std::string(start_near_miss_->text)};
    d.cause = Diagnostic::Cause::kMisspeltHeader;
    RaiseCode(s_, std::move(d));
    return Flow::kStopped;
  }
  const Item general = key_;
  Flow flow = GeneralPhase();
  if (flow != Flow::kContinue) return flow;
  // "[generale]" again opens the body: the general lines after it are not
  // read, which is said once, here.
  const bool general_again =
      !reader_.AtEnd() && ContainsAnyCase(key_.text, source_sections::kGeneral);
  if (!s_.celle.exists()) {
    // Nothing after this can be placed: said once, on the general part,
    // instead of at every line that then lies beyond no cells.
    Diagnostic d = Warning(kNoRouteLength, general_again ? key_ : general);
    d.severity = Diagnostic::Severity::kError;
    if (general_again) d.cause = Diagnostic::Cause::kGeneralAgain;
    Report(s_, std::move(d));
  } else if (general_again) {
    Diagnostic d = Warning(kBadHeader, key_);
    d.detail = key_.text;
    d.cause = Diagnostic::Cause::kGeneralAgain;
    Report(s_, std::move(d));
  }
  other_part_explained_ = general_again;
  const Long starts = ReferenceStartsSum(s_);
  progressive_ordina(s_);
  WarnIfReferencesCleared(starts);
  StartBody();
  return ReadBody();
}

Flow RouteParser::GeneralPhase() {
  do {
    if (reader_.AtEnd()) return Flow::kContinue;
    reader_.ReadText(&key_);
    if (reader_.AtEnd()) return Flow::kContinue;
    // Comments here are read without the end-of-file test: a comment at the
    // very end of the text is a reading fault.
    for (int i = 0; i < kGeneralCommentReads && IsComment(key_.text); ++i) {
      CheckComment();
      if (reader_.ReadText(&key_) != ItemReader::Result::kOk) {
        return Fault(ErrorSite::Fault::kEndOfFile, key_);
      }
    }
    StartLine();
    Flow flow = ReadOnPast(GeneralLine());
    if (flow != Flow::kContinue) return flow;
    // The first bracketed item that is no comment opens the body.
  } while (!(Contains(key_.text, "[") && Contains(key_.text, "]") &&
             !key_.text.starts_with("-")));
  return Flow::kContinue;
}

Flow RouteParser::GeneralLine() {
  KeywordDispatch run;
  for (const SourceLine& line : LinesOf(Phase::kRouteGeneral)) {
    run(Names(line, key_.text), [&] {
      CheckGlued(line);
      return General(line);
    });
  }
  if (run.flow() == Flow::kContinue) {
    CheckKeyItem(run.matched(), Phase::kRouteGeneral);
    if (run.matched()) CheckLineEnd();
  }
  return run.flow();
}

Flow RouteParser::General(const SourceLine& line) {
  // Each general value is given once; a second line silently wins.
  if (!general_seen_.insert(line.kind).second) {
    Warn(kRepeatedLine, key_, std::string(line.spellings[0]));
  }
  Voce& backgrounds = s_.voci[kRouteSlot];
  switch (line.kind) {
    case LineKind::kRouteLength:
      return RouteLength(line);
    case LineKind::kReferenceThree:
    case LineKind::kReferenceTwo:
    case LineKind::kReferenceOne:
      return Reference(line, ReferenceSlotOf(line.kind));
    case LineKind::kBackgroundOne:
      return Field(line, &(backgrounds.*general_record::kBackgroundOne));
    case LineKind::kBackgroundTwo:
      return Field(line, &(backgrounds.*general_record::kBackgroundTwo));
    case LineKind::kBackgroundThree:
      return Field(line, &(backgrounds.*general_record::kBackgroundThree));
    case LineKind::kCabSignals:
      return CabSignals(line);
    default:
      return Flow::kContinue;
  }
}

Flow RouteParser::RouteLength(const SourceLine& line) {
  Long length = 0;
  if (!Read(line.fields[0], &length)) return Flow::kFault;
  s_.voci[kTrainSlot].*general_record::kRouteLength = length;
  if (length > line.fields[0].max) return StopAt(kRouteTooLong, last_);
  // A negative length gives no route to drive: refused as a value beyond
  // its field.
  if (length < line.fields[0].min) {
    return Fault(ErrorSite::Fault::kBeyondField, last_, &line.fields[0],
                 length);
  }
  s_.lunghezza_estesa = length + kRouteExtension;
  s_.n_celle = static_cast<Long>(
      Round(static_cast<double>(s_.lunghezza_estesa) / kCellLength));
  s_.celle.Create(s_.n_celle);
  if (s_.scrivi_linea) {
    s_.tracciato.Create(s_.lunghezza_estesa);
  }
  return Flow::kContinue;
}

Flow RouteParser::Reference(const SourceLine& line, int slot) {
  Voce& v = s_.voci[slot];
  if (!Read(line.fields[0], &v.inizio)) return Flow::kFault;
  ErrorSite inizio = Site(last_);
  inizio.field = RefOf(line.fields[0]);
  if (!Read(line.fields[1], &v.fine)) return Flow::kFault;
  ErrorSite fine = Site(last_);
  fine.field = RefOf(line.fields[1]);
  if (!Read(line.fields[2], &v.progressiva)) return Flow::kFault;
  references_.push_back({slot, v.inizio, v.fine, v.progressiva, inizio, fine});
  return Flow::kContinue;
}

const RouteParser::ReferenceLine* RouteParser::ReferenceReadInto(
    int slot) const {
  const auto last = std::find_if(
      references_.rbegin(), references_.rend(),
      [&](const ReferenceLine& line) { return line.slot == slot; });
  return last == references_.rend() ? nullptr : &*last;
}

// Where the ordering finds no order it leaves all three records empty, and
// the kilometre posts the text gave are lost: told at the line that gave
// the first of them, or at the later start that ties for the greatest.
void RouteParser::WarnIfReferencesCleared(Long starts) {
  if (s_.reference_origins != decltype(s_.reference_origins){}) return;
  // The line each record holds, by the order the lines were read in; a
  // record no line was read into holds (0, 0, 0).
  std::vector<const ReferenceLine*> held;
  Long greatest = std::numeric_limits<Long>::min();
  for (int slot = kReferenceThreeSlot; slot <= kReferenceOneSlot; ++slot) {
    const ReferenceLine* line = ReferenceReadInto(slot);
    greatest = std::max(greatest, line != nullptr ? line->inizio : 0);
    if (line != nullptr &&
        (line->inizio != 0 || line->fine != 0 || line->flag != 0)) {
      held.push_back(line);
    }
  }
  if (held.empty()) return;
  std::sort(held.begin(), held.end());  // the vector's order: as read
  Diagnostic d;
  d.severity = Diagnostic::Severity::kWarning;
  d.code = kReferencesCleared;
  if (starts == 0) {
    d.site = held.front()->fine_site;
    d.cause = Diagnostic::Cause::kNoPositiveKm;
  } else {
    const auto tie = std::find_if(held.rbegin(), held.rend(), [&](auto* line) {
      return line->inizio == greatest;
    });
    d.site = (tie == held.rend() ? held.front() : *tie)->inizio_site;
    d.values = {greatest};
  }
  Report(s_, std::move(d));
}

Flow RouteParser::CabSignals(const SourceLine& line) {
  Voce& v = s_.voci[kExtraSlot];
  Long& from = v.*general_record::kCabSignalsStart;
  Long& to = v.*general_record::kCabSignalsEnd;
  Long& codes = v.*general_record::kCabSignalsCodes;
  if (!Read(line.fields[0], &from)) return Flow::kFault;
  const Item start = last_;
  if (!Read(line.fields[1], &to)) return Flow::kFault;
  if (!OnCell(from)) return StopAt(kCabSignalStartNotOnCell, start);
  if (!OnCell(to)) return StopAt(kCabSignalEndNotOnCell, last_);
  if (Contains(key_.text, "4")) {
    codes = kCodeCountFour;
  } else if (Contains(key_.text, "9")) {
    codes = kCodeCountNine;
  } else {
    return Stop(kCabSignalCodeCountMissing);
  }
  if (to == 0) codes = 0;
  return Flow::kContinue;
}

void RouteParser::StartBody() {
  phase_ = Phase::kRouteBody;
  s_.n_montagne = 0;
  signboard_slot_ = kLastSignboardSlot;
  gradient_cursor_ = 0;
  plan_cursor_ = 2;
  if (s_.scrivi_linea && s_.tracciato.exists()) s_.tracciato.Begin();
}

Flow RouteParser::ReadBody() {
  return ReadLines(kBodyCommentReads, [this] { return BodyLine(); });
}

Flow RouteParser::BodyLine() {
  KeywordDispatch run;
  for (const SourceLine& line : LinesOf(Phase::kRouteBody)) {
    // Without the plan, curve lines are passed over on purpose.
    const bool passed_over = line.kind == LineKind::kCurve && !s_.scrivi_linea;
    run(Names(line, key_.text) && !passed_over, [&] {
      CheckGlued(line);
      return Body(line);
    });
  }
  if (run.flow() == Flow::kContinue) {
    CheckKeyItem(run.matched() || Names(LineOf(LineKind::kCurve), key_.text),
                 Phase::kRouteBody);
    if (run.matched()) CheckLineEnd();
  }
  return run.flow();
}

Flow RouteParser::Body(const SourceLine& line) {
  switch (line.kind) {
    case LineKind::kGradient:
      return Gradient(line);
    case LineKind::kCurve:
      return Curve(line);
    case LineKind::kMountain:
      return Mountain(line);
    case LineKind::kSpeedBoard:
      return SpeedBoard(line);
    case LineKind::kSignboard:
      return Signboard(line);
    default:
      return Flow::kContinue;
  }
}

bool RouteParser::WriteGradient() {
  if (Cella* cell = s_.celle.at(gradient_cursor_)) {
    const SourceField& field = LineOf(LineKind::kGradient).fields[1];
    if (gradient_ < field.min || gradient_ > field.max) {
      Fault(ErrorSite::Fault::kBeyondField, gradient_item_, &field, gradient_);
      return false;
    }
    cell->pendenza = static_cast<Byte>(CellGradient(gradient_));
  }
  ++gradient_cursor_;
  return true;
}

Flow RouteParser::Gradient(const SourceLine& line) {
  Long p = 0;
  Long g = 0;
  if (!Read(line.fields[0], &p) || !Read(line.fields[1], &g)) {
    return Flow::kFault;
  }
  const Item gradient_item = last_;
  if (!InCells(p, kRangeMargin)) return Beyond(p, kRangeMargin);
  // The previous gradient holds up to the cell before this line's cell.
  const int64_t n = ProfileCell(p);
  WarnBehind(n, gradient_cursor_, p);
  if (n > 0) {
    do {
      if (!WriteGradient()) return Flow::kFault;
    } while (gradient_cursor_ < n);
  }
  gradient_ = g;
  gradient_item_ = gradient_item;
  return Flow::kContinue;
}

Flow RouteParser::Curve(const SourceLine& line) {
  Long start = 0;
  Long length = 0;
  if (!Read(line.fields[0], &start) || !Read(line.fields[1], &length)) {
    return Flow::kFault;
  }
  if (!InCells(start, kRangeMargin)) return Beyond(start, kRangeMargin);
  double kappa = 0;
  // The class's digit in the key item, "1" searched for first.
  for (int c = 0; c < kCurveClasses; ++c) {
    if (Contains(key_.text, std::to_string(c + 1))) {
      kappa = kCurveClassTurns[c];
      break;
    }
  }
  if (kappa == 0) return Stop(kBadCurve);
  if (ContainsAnyCase(key_.text, "s")) kappa = -kappa;
  if (start < plan_cursor_ - 1) {
    Diagnostic d = Warning(kLineBehindCursor, first_field_);
    d.position = start;
    d.cause = Diagnostic::Cause::kCurveBehind;
    Report(s_, std::move(d));
  }

  // A straight run up to the curve's start, then the curve; no point is
  // laid beyond the plan's last metre, nor past the cursor's limit. The
  // cursor moves the same whether or not the plan is kept, so every
  // command finds the same faults.
  const int64_t last = s_.celle.exists() ? s_.lunghezza_estesa : 1;
  auto run_to = [&](int64_t until, double step_kappa) {
    const int64_t end = std::min({until, last, kMaxPlanCursor});
    if (plan_cursor_ > end) return true;
    if (s_.tracciato.exists()) s_.tracciato.Lay(end, step_kappa);
    plan_cursor_ = end + 1;
    return plan_cursor_ <= kMaxPlanCursor;
  };
  if (!run_to(start, 0.0) || !run_to(int64_t{start} + length, kappa)) {
    Stop(kBadCurve);
    s_.diagnostics.back().cause = Diagnostic::Cause::kPlanTooLong;
    return Flow::kStopped;
  }
  return Flow::kContinue;
}

Flow RouteParser::Mountain(const SourceLine& line) {
  Long inizio = 0;
  Long fine = 0;
  Long tipo = 0;
  if (!Read(line.fields[0], &inizio) || !Read(line.fields[1], &fine) ||
      !Read(line.fields[2], &tipo)) {
    return Flow::kFault;
  }
  if (!InCells(inizio, kRangeMargin)) return Beyond(inizio, kRangeMargin);
  return Placed(memo_montagna(s_, inizio, fine, tipo), inizio);
}

Flow RouteParser::SpeedBoard(const SourceLine& line) {
  Long posizione = 0;
  IndicatoreVMax board;
  for (size_t i = 0; Long * value : {&posizione, &board.vas, &board.vbs,
                                     &board.vcs, &board.strisces, &board.vad,
                                     &board.vbd, &board.vcd, &board.strisced}) {
    if (!Read(line.fields[i++], value)) return Flow::kFault;
  }
  if (!InCells(posizione, kRangeMargin)) return Beyond(posizione, kRangeMargin);
  NoteOffCell(posizione);
  return Placed(memo_indicatori_v_max(s_, posizione, board), posizione);
}

Flow RouteParser::Signboard(const SourceLine& line) {
  Long p = 0;
  std::string text;
  if (!Read(line.fields[0], &p) || !Read(line.fields[1], &text)) {
    return Flow::kFault;
  }
  if (!InCells(p, kRangeMargin)) return Beyond(p, kRangeMargin);
  // Slot 0 is no record: an 81st signboard has no place.
  if (signboard_slot_ < kFirstStationSlot) return Stop(kTooManySignboards, p);
  NoteOffCell(p);
  const int64_t k = ObjectCell(p);
  Cella* cell = s_.celle.at(k);
  if (cell == nullptr) return Stop(kCellOutsideRoute, p);
  if (!cell->free()) return StopTaken(kSignboardCellTaken, p, k);
  cell->tipo = kSignboard;
  s_.placed_cells.push_back(k);
  cell->valore1 = static_cast<Integer>(signboard_slot_);
  s_.voci[signboard_slot_].nome = std::move(text);
  --signboard_slot_;
  return Flow::kContinue;
}

Flow RouteParser::WriteTails() {
  do {
    if (!WriteGradient()) return Flow::kFault;
  } while (gradient_cursor_ < int64_t{s_.n_celle} - 2);
  if (s_.scrivi_linea && s_.tracciato.exists()) {
    // The last two points stay empty.
    s_.tracciato.Lay(int64_t{s_.lunghezza_estesa} - 2, 0);
  }
  return Flow::kEnded;
}

}  // namespace scenario
