#include "compiler/source_reader.h"

#include <algorithm>
#include <limits>

#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

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

bool SourceReader::ContainsAnyCase(std::string_view item,
                                   std::string_view word) {
  return std::search(item.begin(), item.end(), word.begin(), word.end(),
                     [](char a, char b) { return Lower(a) == Lower(b); }) !=
         item.end();
}

bool SourceReader::FindStart(bool* last_is_start) {
  *last_is_start = false;
  while (!reader_.AtEnd()) {
    reader_.ReadText(&key_);
    const bool is_start = ContainsAnyCase(key_.text, "[generale]");
    if (reader_.AtEnd()) {
      *last_is_start = is_start;
      return false;
    }
    if (is_start) return true;
  }
  return false;
}

bool SourceReader::NextKeyItem(int comment_reads) {
  if (reader_.AtEnd()) return false;
  reader_.ReadText(&key_);
  if (reader_.AtEnd()) return false;
  for (int i = 0; i < comment_reads && Contains(key_.text, "-"); ++i) {
    reader_.ReadText(&key_);
    if (reader_.AtEnd()) return false;
  }
  s_.riga = key_.text;
  last_ = key_;
  return true;
}

bool SourceReader::Number(Long* value) {
  int64_t number = 0;
  if (!NumberIn(std::numeric_limits<Long>::min(),
                std::numeric_limits<Long>::max(), &number)) {
    return false;
  }
  *value = static_cast<Long>(number);
  return true;
}

bool SourceReader::NumberIn(int64_t min, int64_t max, int64_t* value) {
  ItemReader::Result result = reader_.ReadNumber(value, &last_);
  if (result == ItemReader::Result::kEndOfFile) last_ = key_;
  if (result != ItemReader::Result::kOk) {
    Fault(FaultOf(result), last_);
    return false;
  }
  if (*value < min || *value > max) {
    Fault(ErrorSite::Fault::kBeyondField, last_);
    return false;
  }
  return true;
}

bool SourceReader::Text(std::string* value) {
  ItemReader::Result result = reader_.ReadText(&last_);
  if (result != ItemReader::Result::kOk) {
    Fault(FaultOf(result), key_);
    return false;
  }
  if (last_.text.size() > kMaxTextLength) {
    Fault(ErrorSite::Fault::kBeyondField, last_);
    return false;
  }
  *value = last_.text;
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
  s_.codice_errore = code;
  s_.error_site = {file_, key_.line, key_.column, ErrorSite::Fault::kNone};
  return Flow::kStopped;
}

Flow SourceReader::Stop(Long code, Long position) {
  s_.posizione_errore = position;
  return Stop(code);
}

Flow SourceReader::Beyond(Long position) {
  Stop(kBeyondCells, position);
  return Flow::kEnded;
}

Flow SourceReader::Fault(ErrorSite::Fault fault, const Item& item) {
  s_.error_site = {file_, item.line, item.column, fault};
  return Flow::kFault;
}

}  // namespace scenario
