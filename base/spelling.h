#ifndef BASE_SPELLING_H_
#define BASE_SPELLING_H_

#include <cstddef>
#include <span>
#include <string_view>

namespace scenario {

// Edits (insert, delete, replace a letter, ASCII case aside) from `a` to
// `b`.
size_t EditDistance(std::string_view a, std::string_view b);

// Whether `word` is near enough to `meant` to be a misspelling of it:
// within a third of its letters, and at most three edits.
bool NearEnough(size_t distance, std::string_view meant);

// The candidate nearest to a misspelt word, the first of equals, when one
// is near enough to be meant; "" otherwise. Only the first 64 characters
// of `word` count: the cost grows with the square of its length.
std::string_view ClosestSpelling(std::string_view word,
                                 std::span<const std::string_view> candidates);

}  // namespace scenario

#endif  // BASE_SPELLING_H_
