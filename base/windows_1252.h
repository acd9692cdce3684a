#ifndef BASE_WINDOWS_1252_H_
#define BASE_WINDOWS_1252_H_

#include <string>
#include <string_view>

namespace scenario {

// The program's texts are held as UTF-8 in the code and written as the
// single-byte Windows-1252 text that the simulator's users read ("à" is E0).
// A character the code page lacks becomes "?".
std::string ToWindows1252(std::string_view utf8);

// The UTF-8 of single-byte Windows-1252 text; the five bytes the code page
// leaves unassigned become "?".
std::string FromWindows1252(std::string_view bytes);

// A Windows-1252 character in lower case, as the code page pairs its
// letters: the ASCII capitals, the accented ones from C0 to DE (but D7, the
// multiplication sign) and Š, Œ, Ž, Ÿ. Any other byte is itself.
char ToLowerWindows1252(char c);

// The length of the well-formed UTF-8 sequence that starts at `text[i]`,
// or 0 when none starts there.
size_t Utf8SequenceLength(std::string_view text, size_t i);

// Whether bytes read as single-byte Windows-1252 text: none of the five
// bytes the code page leaves unassigned, and no multi-byte UTF-8 sequence,
// which would show as two or more wrong characters.
bool IsWindows1252Text(std::string_view bytes);

// Whether a text is well-formed UTF-8 with characters beyond ASCII: a name
// typed on a UTF-8 terminal, which the simulator would misread.
bool IsUtf8BeyondAscii(std::string_view text);

}  // namespace scenario

#endif  // BASE_WINDOWS_1252_H_
