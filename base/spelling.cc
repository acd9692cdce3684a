#include "base/spelling.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace scenario {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

}  // namespace

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                         diagonal + (Lower(a[i - 1]) != Lower(b[j - 1]))});
      diagonal = above;
    }
  }
  return row[b.size()];
}

bool NearEnough(size_t distance, std::string_view meant) {
  return distance <= std::min<size_t>(3, meant.size() / 3);
}

std::string_view ClosestSpelling(std::string_view word,
                                 std::span<const std::string_view> candidates) {
  word = word.substr(0, 64);
  std::string_view best;
  size_t best_distance = SIZE_MAX;
  for (std::string_view candidate : candidates) {
    const size_t d = EditDistance(word, candidate);
    if (NearEnough(d, candidate) && d < best_distance) {
      best = candidate;
      best_distance = d;
    }
  }
  return best;
}

}  // namespace scenario
