#ifndef COMPILER_SOURCE_READER_H_
#define COMPILER_SOURCE_READER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "compiler/item_reader.h"
#include "compiler/source_lines.h"
#include "model/scenario.h"

namespace scenario {

// Where the reading of a source text goes after a line.
enum class Flow {
  kContinue,  // on to the next line
  kEnded,     // the text is over (its end, or a line beyond the cells):
              // its closing steps run
  kStopped,   // a code stopped the reading: no closing steps
  kFault,     // a reading fault: the error trap takes over
};

// Runs the handler of every keyword a key item holds, in the order tried,
// until one ends the line's flow; remembers whether any matched.
class KeywordDispatch {
 public:
  template <typename Handler>
  void operator()(bool matches, Handler handler) {
    matched_ = matched_ || matches;
    if (flow_ == Flow::kContinue && matches) flow_ = handler();
  }
  Flow flow() const { return flow_; }
  bool matched() const { return matched_; }

 private:
  Flow flow_ = Flow::kContinue;
  bool matched_ = false;
};

// Which line put the object on each taken cell, across both texts, so
// that a line refused on a taken cell can name it.
class CellOwners {
 public:
  CellOwners(std::string route_file, std::string train_file)
      : files_{std::move(route_file), std::move(train_file)} {}
  void Take(int64_t cell, bool route, int line) {
    owners_[cell] = {line, route};
  }
  // The line that placed the object on `cell`, with its column 0; none
  // (line 0) when no line did.
  ErrorSite OwnerOf(int64_t cell) const;

 private:
  struct Owner {
    int line;
    bool route;
  };
  std::array<std::string, 2> files_;
  std::unordered_map<int64_t, Owner> owners_;
};

// The spelling of a line of `lines` nearest to a misspelt key item, when
// one is near enough to be meant; "" otherwise.
std::string_view ClosestKeyword(std::string_view item,
                                std::span<const SourceLine> lines);

// What the route and train parsers share: the item stream of one text, the
// key-item loop with its end-of-file tests and comment rule, field reading
// with range checks, and the recording of codes with their site.
class SourceReader {
 protected:
  // `read_on`: after a line that stops the reading, report it and read on
  // from the next line as if it were not there, so that an author sees
  // every error of the text at once.
  SourceReader(Scenario& s, std::string_view text, std::string file,
               bool read_on, Phase phase, CellOwners* owners)
      : s_(s),
        reader_(text),
        file_(std::move(file)),
        read_on_(read_on),
        phase_(phase),
        owners_(owners) {}

  // Passes over items until one holds "[generale]" (any case). False when
  // the text ends first, also when "[generale]" is its very last item;
  // then `start_near_miss_` holds the first header that comes close to it,
  // if any, and `key_` the text's first item.
  bool FindStart();
  // A new line starts at `key_`: nothing of it read yet.
  void StartLine();
  // The next key item of a body, into `key_` and `riga`, with the comment
  // rule: up to `comment_reads` hyphenated items in a row are replaced by
  // the next. False when the text ends: its last item is never examined.
  bool NextKeyItem(int comment_reads);

  // Reads key items to the end of the text, handing each to `line`, until
  // a line ends the reading.
  template <typename LineHandler>
  Flow ReadLines(int comment_reads, LineHandler line) {
    while (NextKeyItem(comment_reads)) {
      const Flow flow = ReadOnPast(line());
      TakePlacedCells();
      if (flow != Flow::kContinue) return flow;
    }
    return Flow::kEnded;
  }
  // The cells the line just read placed objects on are now its own.
  void TakePlacedCells();
  // A key item read as a comment: warns when it begins with a keyword of
  // the phase, a line whose "-" was not meant as a comment.
  void CheckComment();
  // Before a recognised line's fields: warns when the key item holds its
  // first field too, for want of a comma.
  void CheckGlued(const SourceLine& line);
  // When reading on, a line that stopped the reading (or ended its text)
  // is dropped whole, its fault reported, and the reading goes on from the
  // next line; otherwise the flow stands.
  Flow ReadOnPast(Flow flow);

  // After a placement procedure: its refusal stops the reading at the
  // line's progressive. So does a code still set from an earlier line (a
  // route line beyond the cells), which the first train object meets.
  Flow Placed(Long refusal, Long position);
  // An object refused on a taken cell: the code names what holds the cell
  // and the line that put it there.
  Flow StopTaken(Long code, Long position, int64_t cell);

  // One field, read as its description says: a number whose range is
  // checked at reading must lie in it, as must a text's length. False
  // after recording a fault.
  template <typename Value>
  bool Read(const SourceField& field, Value* value) {
    int64_t number = 0;
    if (!ReadNumber(field, &number)) return false;
    *value = static_cast<Value>(number);
    return true;
  }
  bool Read(const SourceField& field, std::string* value);
  // A line whose one field goes straight into the model.
  template <typename Value>
  Flow Field(const SourceLine& line, Value* value) {
    return Read(line.fields[0], value) ? Flow::kContinue : Flow::kFault;
  }

  // A value computed from fields that must fit a Long.
  bool FitsLong(int64_t value, Long* out);

  // The range check of every body line: (p + margin) / 50 <= n_celle,
  // computed exactly.
  bool InCells(int64_t p, int64_t margin) const {
    return p + margin <= int64_t{kCellLength} * s_.n_celle;
  }

  // Records `code` and stops the reading: at the key item; with the
  // progressive that goes with it, at the line's first field, which holds
  // it; or at a given item.
  Flow Stop(Long code);
  Flow Stop(Long code, Long position, std::string detail = {});
  Flow StopAt(Long code, const Item& at);
  // A line beyond the cells: code 15, and the text ends here. `margin` is
  // the line's range check's, which gives the last progressive allowed.
  Flow Beyond(Long position, Long margin);
  // Records a reading fault at `item`, in `field` when it is one, with the
  // value found there when it lies beyond the field.
  Flow Fault(ErrorSite::Fault fault, const Item& item,
             const SourceField* field = nullptr,
             std::optional<int64_t> value = std::nullopt);

  // Warnings and notes for scenario authors; they change nothing else.
  Diagnostic Warning(Long code, const Item& at) const;
  void Warn(Long code, const Item& at, std::string detail = {},
            std::optional<Long> position = std::nullopt);
  // Warns about a key item that named none of the phase's lines, when it
  // starts its line and is no number, no section header and not empty;
  // names the closest keyword. After "[fine]" warns once about the lines
  // that follow.
  void CheckKeyItem(bool matched, Phase phase);
  // A profile line whose cell is not beyond its cursor: it writes one cell
  // only, or none at all when it stands at cell 0 after the cursor moved
  // on, its value holding from the cursor on.
  void WarnBehind(int64_t cell, int64_t cursor, Long position);
  // A note when a signal or board is not on a cell boundary.
  void NoteOffCell(Long p);
  // After a line read whole: a warning when its line goes on with more
  // than its fields (a text cut at a comma, or fields beyond the line's).
  void CheckLineEnd();
  // Where a line's code points: its first field, which holds the
  // progressive that goes with the code, or its key item.
  ErrorSite LineSite() const {
    return Site(fields_read_ > 0 ? first_field_ : key_);
  }
  ErrorSite Site(const Item& item) const {
    return {file_, item.line, item.column, ErrorSite::Fault::kNone};
  }

  static bool Contains(std::string_view item, std::string_view word) {
    return item.find(word) != std::string_view::npos;
  }

  Scenario& s_;
  ItemReader reader_;
  std::string file_;
  const bool read_on_;
  Item key_;          // the key item being examined
  Item last_;         // the item read last
  Item first_field_;  // the first field after the key item
  Item second_field_;
  const SourceField* last_field_ = nullptr;  // the field read last
  int fields_read_ = 0;
  std::vector<int64_t> values_read_;  // the line's numbers, as read
  bool took_next_line_ = false;       // a field came from a later line
  Phase phase_;                       // the phase being read
  CellOwners* owners_;                // null: taken cells go unnamed
  // The first header close to "[generale]" met while looking for it.
  std::optional<Item> start_near_miss_;
  // A header already named as the reason why the lines of the route's
  // other part stand where they are not read: they are not warned of.
  bool other_part_explained_ = false;
  bool after_end_ = false;  // "[fine]" has been read
  bool warned_after_end_ = false;

 private:
  bool ReadNumber(const SourceField& field, int64_t* value);
  // After reading a field's item: when it lies on a later line than the
  // key item, the line was short of fields. A warning when the item could
  // be read; the fault's site when it could not, at the short line.
  void CheckSameLine(const Item& before, const SourceField& field,
                     ItemReader::Result result);
  // A value kept although outside its field's range: said, with what the
  // field holds of it.
  void WarnOutOfRange(const SourceField& field, int64_t value);
};

}  // namespace scenario

#endif  // COMPILER_SOURCE_READER_H_
