#ifndef TOOL_COMMON_JSON_NUMBER_H_
#define TOOL_COMMON_JSON_NUMBER_H_

namespace scenario {

// The room a JSON number takes at most.
inline constexpr int kJsonNumberRoom = 32;

// A finite double as the JSON library writes it (its shortest digits that
// read back, by Grisu2, in its layout), straight into `out`: the same
// characters, without a value or a string for each of two million
// numbers. Returns the end.
char* WriteJsonNumber(double value, char* out);

}  // namespace scenario

#endif  // TOOL_COMMON_JSON_NUMBER_H_
