#ifndef MESSAGES_PACKAGE_WORDS_H_
#define MESSAGES_PACKAGE_WORDS_H_

#include <cstdio>
#include <string>

#include "messages/messages.h"
#include "model/scenario.h"

namespace scenario {

// What a package holds, in the reader's words: for the dump's tables and
// the report's tooltips.

// A printf pattern of the messages module filled in, however long the
// texts it takes (a station's name may run to 32767 characters).
inline std::string Format(const char* pattern, auto... values) {
  const int size = std::snprintf(nullptr, 0, pattern, values...);
  if (size <= 0) return {};
  std::string text(static_cast<size_t>(size) + 1, '\0');
  std::snprintf(text.data(), text.size(), pattern, values...);
  text.pop_back();
  return text;
}

// A clock time, "5:55:45".
std::string ClockText(int hours, int minutes, int seconds);
// What cell `index` carries; "" for nothing.
std::string CellText(const Cella& c, size_t index, const DumpWords& w);
// What the object of cell `k` is, each value named as its line names it,
// for the report's tables and the plot's tooltips: "signal: sx 1, s1 4,
// ...". "" for a cell that holds no object.
std::string ObjectText(const Scenario& s, size_t k, Language language);
// The role of record `slot` of the bank: station, signboard, train, ...
std::string RoleName(const Voce& v, int slot, const DumpWords& w);
// What record `slot` of the bank holds.
std::string RecordText(const Voce& v, int slot, const DumpWords& w);

}  // namespace scenario

#endif  // MESSAGES_PACKAGE_WORDS_H_
