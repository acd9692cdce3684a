#ifndef BASE_WINDOWS_1252_H_
#define BASE_WINDOWS_1252_H_

#include <string>
#include <string_view>

namespace scenario {

// The program's texts are held as UTF-8 in the code and written as the
// single-byte Windows-1252 text that the simulator's users read ("à" is E0).
// A character the code page lacks becomes "?".
std::string ToWindows1252(std::string_view utf8);

// The length of the well-formed UTF-8 sequence that starts at `text[i]`,
// or 0 when none starts there.
size_t Utf8SequenceLength(std::string_view text, size_t i);

}  // namespace scenario

#endif  // BASE_WINDOWS_1252_H_
