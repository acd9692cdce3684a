#ifndef COMPILER_ITEM_READER_H_
#define COMPILER_ITEM_READER_H_

#include <cstdint>
#include <optional>
#include <string_view>

namespace scenario {

// One item of a source text, with where it stands (1-based).
struct Item {
  std::string_view text;
  int line = 0;
  int column = 0;
  bool first_on_line = false;  // nothing but blanks before it on its line
};

// Reads a source text as a stream of items delimited by commas and line
// ends. Items start at their first non-blank character. A numeric item ends
// at a blank, a comma or the line end; the blanks after it and one comma
// after those are its delimiter. A text item runs to the next comma or the
// line end, without its trailing blanks; one that begins with a double
// quote runs to the closing quote and may hold commas. Line ends are CR LF,
// LF or CR.
class ItemReader {
 public:
  enum class Result { kOk, kEndOfFile, kNotANumber, kBeyond32Bits };

  explicit ItemReader(std::string_view text) : text_(text) {}

  // The end-of-file test: true once every character has been read.
  bool AtEnd() const { return pos_ >= text_.size(); }

  // kEndOfFile when nothing is left to read.
  Result ReadText(Item* item);
  // An optionally signed decimal integer that fits 32 bits; an empty item
  // reads as 0. `item` tells what was read, also when it is no number.
  Result ReadNumber(int64_t* value, Item* item);

  // Passes over what is left of the current line, when anything is: the
  // next item read is the next line's first.
  void SkipRestOfLine();

  // What is left of the current line, when it goes on with more than
  // blanks after what was read: fields a line does not take. Its text is
  // the rest's first 64 characters at most.
  std::optional<Item> RestOfLine() const;

 private:
  bool AtLineEnd() const;
  void SkipBlanks();
  // Consumes a comma, or else a line end, if one is next.
  void ConsumeDelimiter();
  Item Begin() const;

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  size_t line_start_ = 0;
  // Whether anything but blanks has been read on the current line: an item
  // that starts a line is told without looking back along it.
  bool line_has_items_ = false;
};

}  // namespace scenario

#endif  // COMPILER_ITEM_READER_H_
