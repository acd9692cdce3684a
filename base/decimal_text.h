#ifndef BASE_DECIMAL_TEXT_H_
#define BASE_DECIMAL_TEXT_H_

namespace scenario {

// Doubles written in decimal exactly as printf writes them in the C
// locale, several times faster for the values a plan holds: the decimal
// digits are worked out in 128-bit integers straight from the binary
// value, and only unusual values go the general way. Each writes at most
// kDecimalRoom characters at `out` and returns the end.
inline constexpr int kDecimalRoom = 400;

// As "%.*f": `decimals` from 0 to 9.
char* WriteFixed(double value, int decimals, char* out);
// As "%.17g": every double read back exactly.
char* WriteGeneral17(double value, char* out);

}  // namespace scenario

#endif  // BASE_DECIMAL_TEXT_H_
