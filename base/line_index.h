#ifndef BASE_LINE_INDEX_H_
#define BASE_LINE_INDEX_H_

#include <cstddef>
#include <string_view>
#include <vector>

namespace scenario {

// Where each line of a text starts, found once, so that quoting a line of
// a long text costs no more than the line. Line ends are CR LF, LF or CR,
// as the source texts' reader takes them.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text) : text_(text) {
    starts_.push_back(0);
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n' ||
          (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
        starts_.push_back(i + 1);
      }
    }
  }

  // How many lines the text has; a last line without an end counts.
  size_t count() const {
    return starts_.back() == text_.size() ? starts_.size() - 1 : starts_.size();
  }

  // Line `number` (1-based), without its line end; "" past the end.
  std::string_view Line(int number) const {
    if (number < 1 || static_cast<size_t>(number) > starts_.size()) return {};
    const size_t index = static_cast<size_t>(number);
    const size_t start = starts_[index - 1];
    size_t end = index < starts_.size() ? starts_[index] : text_.size();
    while (end > start && (text_[end - 1] == '\n' || text_[end - 1] == '\r')) {
      --end;
    }
    return text_.substr(start, end - start);
  }

 private:
  std::string_view text_;
  std::vector<size_t> starts_;
};

}  // namespace scenario

#endif  // BASE_LINE_INDEX_H_
