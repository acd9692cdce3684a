#include "compiler/item_reader.h"

#include <limits>

namespace scenario {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

bool ItemReader::AtLineEnd() const {
  return pos_ >= text_.size() || IsLineEnd(text_[pos_]);
}

void ItemReader::SkipBlanks() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

void ItemReader::ConsumeDelimiter() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
    line_has_items_ = true;
    return;
  }
  if (!IsLineEnd(text_[pos_])) return;
  if (text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  ++line_;
  line_start_ = pos_;
  line_has_items_ = false;
}

Item ItemReader::Begin() const {
  return {text_.substr(pos_, 0), line_,
          static_cast<int>(pos_ - line_start_) + 1, !line_has_items_};
}

void ItemReader::SkipRestOfLine() {
  if (pos_ == line_start_) return;
  while (!AtLineEnd()) ++pos_;
  ConsumeDelimiter();
}

std::optional<Item> ItemReader::RestOfLine() const {
  // At the start of a line, the line read last is over.
  if (pos_ == line_start_) return std::nullopt;
  size_t first = pos_;
  while (first < text_.size() && !IsLineEnd(text_[first]) &&
         IsBlank(text_[first])) {
    ++first;
  }
  // A line of a megabyte may hold many lines' worth of items: only the
  // start of the rest is looked at, so that each costs the same.
  constexpr size_t kLongest = 64;
  size_t end = first;
  while (end < text_.size() && end - first < kLongest &&
         !IsLineEnd(text_[end])) {
    ++end;
  }
  while (end > first && IsBlank(text_[end - 1])) --end;
  if (end == first) return std::nullopt;
  return Item{text_.substr(first, end - first), line_,
              static_cast<int>(first - line_start_) + 1, false};
}

ItemReader::Result ItemReader::ReadText(Item* item) {
  if (AtEnd()) return Result::kEndOfFile;
  SkipBlanks();
  *item = Begin();
  const size_t begin = pos_;
  size_t start = pos_;
  size_t end;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    // Quoted: the text between the quotes; anything after the closing quote
    // up to the delimiter is not part of it.
    start = ++pos_;
    while (!AtLineEnd() && text_[pos_] != '"') ++pos_;
    end = pos_;
    while (!AtLineEnd() && text_[pos_] != ',') ++pos_;
  } else {
    while (!AtLineEnd() && text_[pos_] != ',') ++pos_;
    end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
  }
  item->text = text_.substr(start, end - start);
  if (pos_ > begin) line_has_items_ = true;
  ConsumeDelimiter();
  return Result::kOk;
}

ItemReader::Result ItemReader::ReadNumber(int64_t* value, Item* item) {
  if (AtEnd()) return Result::kEndOfFile;
  SkipBlanks();
  *item = Begin();
  const size_t start = pos_;
  while (!AtLineEnd() && text_[pos_] != ',' && !IsBlank(text_[pos_])) ++pos_;
  item->text = text_.substr(start, pos_ - start);
  if (pos_ > start) line_has_items_ = true;
  SkipBlanks();
  ConsumeDelimiter();

  std::string_view digits = item->text;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    digits.remove_prefix(1);
    if (digits.empty()) return Result::kNotANumber;
  }
  int64_t magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return Result::kNotANumber;
    // Past 2^31 every further digit keeps it past: stop growing there.
    if (magnitude <= (int64_t{1} << 32)) magnitude = magnitude * 10 + (c - '0');
  }
  const int64_t number = negative ? -magnitude : magnitude;
  if (number < std::numeric_limits<int32_t>::min() ||
      number > std::numeric_limits<int32_t>::max()) {
    return Result::kBeyond32Bits;
  }
  *value = number;
  return Result::kOk;
}

}  // namespace scenario
