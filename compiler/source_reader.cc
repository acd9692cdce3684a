#include "compiler/source_reader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "base/spelling.h"
#include "base/windows_1252.h"
#include "model/diagnostic_codes.h"
#include "model/rounding.h"

namespace scenario {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

ErrorSite::Fault FaultOf(ItemReader::Result result) {
  switch (result) {
    case ItemReader::Result::kEndOfFile:
      return ErrorSite::Fault::kEndOfFile;
    case ItemReader::Result::kNotANumber:
      return ErrorSite::Fault::kNotANumber;
    case ItemReader::Result::kBeyond32Bits:
      return ErrorSite::Fault::kBeyond32Bits;
    case ItemReader::Result::kOk:
      break;
  }
  return ErrorSite::Fault::kUnexpected;
}

}  // namespace

std::string_view ClosestKeyword(std::string_view item,
                                std::span<const SourceLine> lines) {
  std::vector<std::string_view> spellings;
  for (const SourceLine& line : lines) {
    spellings.insert(spellings.end(), line.spellings.begin(),
                     line.spellings.end());
  }
  return ClosestSpelling(item, spellings);
}

ErrorSite CellOwners::OwnerOf(int64_t cell) const {
  const auto it = owners_.find(cell);
  if (it == owners_.end()) return {};
  return {files_[it->second.route ? 0 : 1], it->second.line, 0,
          ErrorSite::Fault::kNone};
}

namespace {

// A header meant as "[generale]": misspelt, or without a bracket. The
// header itself, as a text's very last item, is no misspelling.
bool NearGeneral(std::string_view item) {
  const std::string_view general = source_sections::kGeneral;
  if (ContainsAnyCase(item, general)) return false;
  return ContainsAnyCase(item, general.substr(1, general.size() - 2)) ||
         (item.starts_with("[") &&
          EditDistance(item.substr(0, 64), general) <= 2);
}

bool BeginsAnyCase(std::string_view item, std::string_view word) {
  return item.size() >= word.size() &&
         std::equal(word.begin(), word.end(), item.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

}  // namespace

bool SourceReader::FindStart() {
  Item first;
  bool any = false;
  while (!reader_.AtEnd()) {
    reader_.ReadText(&key_);
    if (!any) first = key_;
    any = true;
    const bool at_end = reader_.AtEnd();
    if (!at_end && ContainsAnyCase(key_.text, source_sections::kGeneral)) {
      return true;
    }
    if (!start_near_miss_ && key_.first_on_line && NearGeneral(key_.text)) {
      start_near_miss_ = key_;
    }
    if (at_end) break;
  }
  key_ = any ? first : Item{{}, 1, 1, true};
  return false;
}

void SourceReader::StartLine() {
  s_.riga = key_.text;
  last_ = key_;
  fields_read_ = 0;
  last_field_ = nullptr;
  values_read_.clear();
  took_next_line_ = false;
}

bool SourceReader::NextKeyItem(int comment_reads) {
  if (reader_.AtEnd()) return false;
  reader_.ReadText(&key_);
  if (reader_.AtEnd()) return false;
  for (int i = 0; i < comment_reads && IsComment(key_.text); ++i) {
    CheckComment();
    reader_.ReadText(&key_);
    if (reader_.AtEnd()) return false;
  }
  StartLine();
  return true;
}

void SourceReader::CheckComment() {
  if (!key_.first_on_line) return;
  for (const SourceLine& line : LinesOf(phase_)) {
    for (std::string_view spelling : line.spellings) {
      if (BeginsAnyCase(key_.text, spelling)) {
        Warn(kCommentedLine, key_, std::string(spelling));
        return;
      }
    }
  }
}

void SourceReader::CheckGlued(const SourceLine& line) {
  const std::string_view key = key_.text;
  const size_t blank = key.find_last_of(" \t");
  if (blank == std::string_view::npos) return;
  const std::string_view head = key.substr(0, blank);
  const std::string_view tail = key.substr(blank + 1);
  int64_t number = 0;
  Item item;
  if (tail.empty() || tail.size() > 11 ||
      ItemReader(tail).ReadNumber(&number, &item) != ItemReader::Result::kOk ||
      item.text.size() != tail.size() || !Names(line, head)) {
    return;
  }
  // A digit the keyword needs is no field: a curve's class, the count of
  // cab signal codes.
  if (line.kind == LineKind::kCurve &&
      head.find_first_of("123456") == std::string_view::npos) {
    return;
  }
  if (line.kind == LineKind::kCabSignals &&
      head.find_first_of("49") == std::string_view::npos) {
    return;
  }
  Diagnostic d = Warning(kKeywordGlued, key_);
  d.detail = std::string(head.substr(0, head.find_last_not_of(" \t") + 1));
  d.values = {number};
  Report(s_, std::move(d));
}

void SourceReader::TakePlacedCells() {
  if (owners_ != nullptr) {
    for (int64_t cell : s_.placed_cells) {
      owners_->Take(cell, phase_ != Phase::kTrain, key_.line);
    }
  }
  s_.placed_cells.clear();
}

bool SourceReader::ReadNumber(const SourceField& field, int64_t* value) {
  // Only a field checked at reading narrows what the item reader takes:
  // any 32-bit number.
  const bool checked = field.rule == RangeRule::kChecked;
  const int64_t min = checked ? field.min : std::numeric_limits<Long>::min();
  const int64_t max = checked ? field.max : std::numeric_limits<Long>::max();
  const Item before = last_;
  ItemReader::Result result = reader_.ReadNumber(value, &last_);
  if (result == ItemReader::Result::kEndOfFile) last_ = key_;
  if (result != ItemReader::Result::kOk) {
    Fault(FaultOf(result), last_, &field);
    CheckSameLine(before, field, result);
    return false;
  }
  CheckSameLine(before, field, result);
  if (fields_read_ == 0) first_field_ = last_;
  if (fields_read_ == 1) second_field_ = last_;
  ++fields_read_;
  last_field_ = &field;
  values_read_.push_back(*value);
  if (*value < min || *value > max) {
    Fault(ErrorSite::Fault::kBeyondField, last_, &field, *value);
    return false;
  }
  WarnOutOfRange(field, *value);
  return true;
}

void SourceReader::CheckSameLine(const Item& before, const SourceField& field,
                                 ItemReader::Result result) {
  if (last_.line <= key_.line || before.line != key_.line) return;
  took_next_line_ = true;
  // Where the field was missing: right after the short line's last item.
  const int column = before.column + static_cast<int>(before.text.size());
  if (result != ItemReader::Result::kOk) {
    s_.error_site.taken_from_line = last_.line;
    s_.error_site.line = key_.line;
    s_.error_site.column = column;
    return;
  }
  Diagnostic d = Warning(kFieldFromNextLine, before);
  d.site.column = column;
  d.site.field = RefOf(field);
  d.values = {last_.line};
  Report(s_, std::move(d));
}

void SourceReader::WarnOutOfRange(const SourceField& field, int64_t value) {
  const bool kept = field.rule == RangeRule::kLowBits ||
                    field.rule == RangeRule::kPacked ||
                    field.rule == RangeRule::kAny;
  if (!kept || (value >= field.min && value <= field.max)) return;
  Diagnostic d = Warning(kOutOfRange, last_);
  d.site.field = RefOf(field);
  d.site.value = value;
  if (field.rule == RangeRule::kLowBits) {
    d.stored = field.width == Width::kByte      ? LowByte(value)
               : field.width == Width::kInteger ? LowInteger(value)
                                                : value;
  }
  Report(s_, std::move(d));
}

void SourceReader::CheckLineEnd() {
  // The rest of a line the fields ran into belongs to that line.
  if (took_next_line_) return;
  const std::optional<Item> rest = reader_.RestOfLine();
  if (!rest || last_field_ == nullptr) return;
  if (last_field_->width == Width::kText) {
    // A text runs to a comma: what follows it was meant to be part of it.
    Warn(kTextCutAtComma, last_);
    return;
  }
  Diagnostic d = Warning(kExtraFields, *rest);
  d.site.field = RefOf(*last_field_);
  d.values = values_read_;
  d.detail = rest->text;
  // "16,000": a progressive or length written with a thousands separator
  // reads as two fields.
  const auto digits = [](std::string_view t, size_t from, size_t to) {
    return t.size() >= from && t.size() <= to &&
           t.find_first_not_of("0123456789") == std::string_view::npos;
  };
  const SourceField* first = FieldAt({d.site.field.line, 0});
  std::string_view number = first_field_.text;
  if (number.starts_with("-")) number.remove_prefix(1);
  if (fields_read_ >= 2 && first != nullptr && first->unit == "m" &&
      second_field_.line == first_field_.line && digits(number, 1, 3) &&
      digits(second_field_.text, 3, 3)) {
    d.cause = Diagnostic::Cause::kThousands;
  }
  Report(s_, std::move(d));
}

bool SourceReader::Read(const SourceField& field, std::string* value) {
  const Item before = last_;
  ItemReader::Result result = reader_.ReadText(&last_);
  if (result != ItemReader::Result::kOk) {
    Fault(FaultOf(result), key_, &field);
    CheckSameLine(before, field, result);
    return false;
  }
  CheckSameLine(before, field, result);
  if (fields_read_++ == 0) first_field_ = last_;
  last_field_ = &field;
  if (last_.text.size() > static_cast<size_t>(field.max)) {
    Fault(ErrorSite::Fault::kBeyondField, last_, &field,
          static_cast<int64_t>(last_.text.size()));
    return false;
  }
  *value = last_.text;
  if (!IsWindows1252Text(*value)) Warn(kNotWindows1252, last_);
  return true;
}

bool SourceReader::FitsLong(int64_t value, Long* out) {
  if (value < std::numeric_limits<Long>::min() ||
      value > std::numeric_limits<Long>::max()) {
    Fault(ErrorSite::Fault::kBeyondField, key_);
    return false;
  }
  *out = static_cast<Long>(value);
  return true;
}

Flow SourceReader::Stop(Long code) {
  RaiseCode(s_, code, std::nullopt, Site(key_));
  return Flow::kStopped;
}

Flow SourceReader::Stop(Long code, Long position, std::string detail) {
  RaiseCode(s_, code, position, LineSite(), std::move(detail));
  return Flow::kStopped;
}

Flow SourceReader::ReadOnPast(Flow flow) {
  if (!read_on_ || flow == Flow::kContinue) return flow;
  if (flow == Flow::kFault)
    RaiseCode(s_, kReadingFault, std::nullopt, s_.error_site);
  reader_.SkipRestOfLine();
  return Flow::kContinue;
}

Flow SourceReader::Placed(Long refusal, Long position) {
  if (refusal != kNoDiagnostic && s_.refused_cell >= 0) {
    const int64_t cell = s_.refused_cell;
    s_.refused_cell = -1;
    return StopTaken(refusal, position, cell);
  }
  if (refusal != kNoDiagnostic) return Stop(refusal, position);
  // Reading on, every line stands for itself: a code left set by a line
  // already reported stops nothing more.
  if (s_.codice_errore <= 0 || read_on_) return Flow::kContinue;
  if (!s_.celle.exists()) {
    // Without cells every line is beyond them: the missing length line,
    // reported once, is the cause.
    SetCode(s_, s_.codice_errore, position, LineSite());
    return Flow::kStopped;
  }
  Diagnostic carried{
      Diagnostic::Severity::kError, s_.codice_errore, position, LineSite(), {}};
  carried.cause = Diagnostic::Cause::kEarlierCode;
  RaiseCode(s_, std::move(carried));
  return Flow::kStopped;
}

Flow SourceReader::StopTaken(Long code, Long position, int64_t cell) {
  Diagnostic d{Diagnostic::Severity::kError, code, position, LineSite(), {}};
  if (owners_ != nullptr) d.related = owners_->OwnerOf(cell);
  if (const Cella* taken = s_.celle.at(cell)) d.stored = taken->tipo;
  d.values = {cell};
  RaiseCode(s_, std::move(d));
  return Flow::kStopped;
}

Flow SourceReader::StopAt(Long code, const Item& at) {
  RaiseCode(s_, code, std::nullopt, Site(at));
  return Flow::kStopped;
}

Diagnostic SourceReader::Warning(Long code, const Item& at) const {
  Diagnostic d;
  d.severity = code == kNotOnCellBoundary ? Diagnostic::Severity::kNote
                                          : Diagnostic::Severity::kWarning;
  d.code = code;
  d.site = Site(at);
  return d;
}

void SourceReader::Warn(Long code, const Item& at, std::string detail,
                        std::optional<Long> position) {
  Diagnostic d = Warning(code, at);
  d.detail = std::move(detail);
  d.position = position;
  Report(s_, std::move(d));
}

void SourceReader::WarnBehind(int64_t cell, int64_t cursor, Long position) {
  if (cell > 0 && cell <= cursor) {
    Warn(kLineBehindCursor, first_field_, {}, position);
  } else if (cell <= 0 && cursor > 0) {
    Diagnostic d = Warning(kLineBehindCursor, first_field_);
    d.position = position;
    d.cause = Diagnostic::Cause::kWritesNoCell;
    d.stored = cursor;
    Report(s_, std::move(d));
  }
}

void SourceReader::NoteOffCell(Long p) {
  if (p % kCellLength == 0) return;
  Diagnostic d = Warning(kNotOnCellBoundary, first_field_);
  d.position = p;
  d.stored = ObjectCell(p);
  Report(s_, std::move(d));
}

void SourceReader::CheckKeyItem(bool matched, Phase phase) {
  const std::string_view key = key_.text;
  const bool header = Contains(key, "[") && Contains(key, "]");
  if (after_end_ && !warned_after_end_ && key_.first_on_line && !key.empty()) {
    warned_after_end_ = true;
    Warn(kLineAfterEnd, key_);
  }
  if (header && ContainsAnyCase(key, source_sections::kEnd)) after_end_ = true;
  if (matched || header || key.empty() || !key_.first_on_line) return;
  if (key.starts_with("[") || key.ends_with("]")) {
    // A header with one bracket is read as a key item like any other.
    Diagnostic d = Warning(kBadHeader, key_);
    d.detail = key;
    if (phase == Phase::kRouteGeneral) {
      d.cause = Diagnostic::Cause::kNotClosed;
      other_part_explained_ = true;
    }
    Report(s_, std::move(d));
    return;
  }
  int64_t ignored = 0;
  Item item;
  if (ItemReader(key).ReadNumber(&ignored, &item) == ItemReader::Result::kOk) {
    return;
  }
  // A keyword of the route's other part is no misspelling.
  if (phase != Phase::kTrain) {
    const Phase other = phase == Phase::kRouteGeneral ? Phase::kRouteBody
                                                      : Phase::kRouteGeneral;
    for (const SourceLine& line : LinesOf(other)) {
      if (!Names(line, key)) continue;
      if (other_part_explained_) return;
      Diagnostic d = Warning(kUnknownKeyword, key_);
      d.cause = Diagnostic::Cause::kOtherPart;
      d.detail = line.spellings[0];
      d.values = {phase == Phase::kRouteBody};
      Report(s_, std::move(d));
      return;
    }
  }
  const std::string_view closest = ClosestKeyword(key, LinesOf(phase));
  Diagnostic d = Warning(kUnknownKeyword, key_);
  if (closest.empty()) {
    d.cause = Diagnostic::Cause::kNoSuggestion;
  } else {
    d.detail = closest;
  }
  Report(s_, std::move(d));
}

Flow SourceReader::Beyond(Long position, Long margin) {
  if (s_.celle.exists()) {
    Stop(kBeyondCells, position);
    s_.diagnostics.back().stored = int64_t{kCellLength} * s_.n_celle - margin;
  } else {
    SetCode(s_, kBeyondCells, position, LineSite());
  }
  return Flow::kEnded;
}

Flow SourceReader::Fault(ErrorSite::Fault fault, const Item& item,
                         const SourceField* field,
                         std::optional<int64_t> value) {
  s_.error_site = {file_,
                   item.line,
                   item.column,
                   fault,
                   field != nullptr ? RefOf(*field) : FieldRef{},
                   value};
  return Flow::kFault;
}

}  // namespace scenario
