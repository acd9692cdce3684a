#include "base/decimal_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace scenario {
namespace {

__extension__ typedef unsigned __int128 Wide;

// A finite, non-zero double as mantissa * 2^exponent.
struct Binary {
  uint64_t mantissa;
  int exponent;
  bool negative;
};

[[gnu::always_inline]] inline bool Split(double value, Binary* b) {
  const auto bits = std::bit_cast<uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (biased == 0x7FF || (biased == 0 && fraction == 0)) return false;
  b->negative = (bits >> 63) != 0;
  b->mantissa = biased == 0 ? fraction : fraction | (uint64_t{1} << 52);
  b->exponent = (biased == 0 ? 1 : biased) - 1075;
  return true;
}

template <int kBase, int kLast>
constexpr auto Powers() {
  std::array<Wide, kLast + 1> powers{};
  powers[0] = 1;
  for (int i = 1; i <= kLast; ++i) powers[i] = powers[i - 1] * kBase;
  return powers;
}
constexpr auto kFives = Powers<5, 32>();
constexpr auto kTens = Powers<10, 38>();

// 10^-30 to 10^31 as doubles, to guess a leading digit's power of ten.
constexpr int kTenths = 30;
const auto kDoubleTens = [] {
  std::array<double, 2 * kTenths + 2> tens{};
  for (int i = 0; i < static_cast<int>(tens.size()); ++i) {
    tens[static_cast<size_t>(i)] = std::pow(10.0, i - kTenths);
  }
  return tens;
}();

// "00" to "99", for writing two digits at a time.
constexpr auto kPairs = [] {
  std::array<char, 200> pairs{};
  for (size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// number / 2^shift, rounded half to even, as printf rounds the exact
// binary value.
[[gnu::always_inline]] inline Wide ShiftRounded(Wide number, int shift) {
  const Wide quotient = number >> shift;
  const Wide rest = number - (quotient << shift);
  const Wide half = Wide{1} << (shift - 1);
  const bool up = rest > half || (rest == half && (quotient & 1) != 0);
  return quotient + (up ? 1 : 0);
}

Wide DivideRounded(Wide number, Wide divisor) {
  const Wide quotient = number / divisor;
  const Wide rest = number - quotient * divisor;
  const bool up =
      2 * rest > divisor || (2 * rest == divisor && (quotient & 1) != 0);
  return quotient + (up ? 1 : 0);
}

bool Narrow(Wide wide, uint64_t* n) {
  if (wide >> 63 != 0) return false;
  *n = static_cast<uint64_t>(wide);
  return true;
}

// round(|value| * 10^k) for a value with an integer part, in 64-bit
// arithmetic: the integer part times 10^k is whole, so only the fraction's
// bits are scaled and rounded, and they are few (a plan's coordinates keep
// about 30). False where they are too many, or the result passes 63 bits.
[[gnu::always_inline]] inline bool ScaledNarrow(const Binary& b, int k,
                                                uint64_t* n) {
  const int bits = -b.exponent;  // of the fraction
  const auto five = static_cast<uint64_t>(kFives[k]);
  const auto ten = static_cast<uint64_t>(kTens[k]);
  if (bits <= k || bits >= 53) return false;
  const uint64_t whole = b.mantissa >> bits;
  const uint64_t fraction = b.mantissa & ((uint64_t{1} << bits) - 1);
  if (fraction > UINT64_MAX / five || whole > (INT64_MAX - ten) / ten) {
    return false;
  }
  // fraction * 10^k = fraction * 5^k / 2^(bits - k), rounded half to even
  // as the whole result is.
  const uint64_t scaled = fraction * five;
  const int shift = bits - k;
  const uint64_t quotient = scaled >> shift;
  const uint64_t rest = scaled - (quotient << shift);
  const uint64_t half = uint64_t{1} << (shift - 1);
  const uint64_t result = whole * ten + quotient;
  *n = result + ((rest > half || (rest == half && (result & 1) != 0)) ? 1 : 0);
  return true;
}

// round(|value| * 10^k), when it fits the wide arithmetic and 63 bits.
[[gnu::always_inline]] inline bool Scaled(const Binary& b, int k, uint64_t* n) {
  if (k >= 0 && k <= 9 && ScaledNarrow(b, k, n)) return true;
  if (k >= 0) {
    // 10^k = 5^k * 2^k: m * 5^k stays below 2^128 for k up to 32.
    if (k > 32) return false;
    const Wide number = Wide{b.mantissa} * kFives[k];
    const int shift = b.exponent + k;
    if (shift >= 0) {
      if (shift > 10 || number >> (63 - shift) != 0) return false;
      *n = static_cast<uint64_t>(number << shift);
      return true;
    }
    if (-shift > 126) return false;
    return Narrow(ShiftRounded(number, -shift), n);
  }
  if (-k > 38 || b.exponent < 0 || b.exponent > 74) return false;
  return Narrow(DivideRounded(Wide{b.mantissa} << b.exponent, kTens[-k]), n);
}

// Eight digits of `n`, below 10^8, two at a time from the last, in 32-bit
// arithmetic.
void EightDigits(uint32_t n, char* out) {
  for (int i = 6; i >= 0; i -= 2) {
    const uint32_t pair = (n % 100) * 2;
    n /= 100;
    out[i] = kPairs[pair];
    out[i + 1] = kPairs[pair + 1];
  }
}

// The digits of n: those below 10^8, a plan's integer parts, two at a
// time from the last.
[[gnu::always_inline]] inline char* Digits(uint64_t n, char* out) {
  if (n >= 100'000'000) return std::to_chars(out, out + 20, n).ptr;
  auto small = static_cast<uint32_t>(n);
  int count = 1;
  for (uint32_t limit = 10; count < 8 && small >= limit; limit *= 10) ++count;
  char* end = out + count;
  char* at = end;
  while (small >= 10) {
    const uint32_t pair = (small % 100) * 2;
    small /= 100;
    *--at = kPairs[pair + 1];
    *--at = kPairs[pair];
  }
  if (at > out) *--at = static_cast<char>('0' + small);
  return end;
}

char* Fallback(double value, std::chars_format form, int precision, char* out) {
  return std::to_chars(out, out + kDecimalRoom, value, form, precision).ptr;
}

// n / 10^kDecimals: its integer part, the point and `kDecimals` decimals,
// by a constant divisor, which the compiler turns into a multiplication.
template <int kDecimals>
char* FixedDigits(uint64_t n, char* out) {
  constexpr auto scale = static_cast<uint64_t>(kTens[kDecimals]);
  out = Digits(n / scale, out);
  if constexpr (kDecimals > 0) {
    *out++ = '.';
    // Two digits at a time from the last, in 32-bit arithmetic.
    auto fraction = static_cast<uint32_t>(n % scale);
    int i = kDecimals;
    for (; i >= 2; i -= 2) {
      const uint32_t pair = (fraction % 100) * 2;
      fraction /= 100;
      out[i - 2] = kPairs[pair];
      out[i - 1] = kPairs[pair + 1];
    }
    if (i == 1) out[0] = static_cast<char>('0' + fraction);
  }
  return out + kDecimals;
}

char* FixedDigits(int decimals, uint64_t n, char* out) {
  switch (decimals) {
    case 0:
      return FixedDigits<0>(n, out);
    case 1:
      return FixedDigits<1>(n, out);
    case 2:
      return FixedDigits<2>(n, out);
    case 3:
      return FixedDigits<3>(n, out);
    case 4:
      return FixedDigits<4>(n, out);
    case 5:
      return FixedDigits<5>(n, out);
    case 6:
      return FixedDigits<6>(n, out);
    case 7:
      return FixedDigits<7>(n, out);
    case 8:
      return FixedDigits<8>(n, out);
    default:
      return FixedDigits<9>(n, out);
  }
}

}  // namespace

char* WriteFixed(double value, int decimals, char* out) {
  Binary b;
  uint64_t n = 0;
  if (decimals < 0 || decimals > 9 || !Split(value, &b) ||
      !Scaled(b, decimals, &n)) {
    return Fallback(value, std::chars_format::fixed, decimals, out);
  }
  if (b.negative) *out++ = '-';
  return FixedDigits(decimals, n, out);
}

char* WriteGeneral17(double value, char* out) {
  constexpr uint64_t kLow = 10'000'000'000'000'000;  // 10^16
  constexpr uint64_t kHigh = 10 * kLow;
  Binary b;
  if (!Split(value, &b)) {
    return Fallback(value, std::chars_format::general, 17, out);
  }
  // The power of ten of the leading digit, estimated from the binary one
  // and a table, and corrected until the digits number 17.
  const int binary_power = b.exponent + std::bit_width(b.mantissa) - 1;
  int estimate = (binary_power * 78913) >> 18;  // floor(p * log10(2))
  if (estimate >= -kTenths && estimate < kTenths &&
      std::fabs(value) >= kDoubleTens[estimate + 1 + kTenths]) {
    ++estimate;
  }
  int k = 16 - estimate;
  uint64_t n = 0;
  bool scaled = false;
  for (int tries = 0; tries < 3; ++tries) {
    scaled = Scaled(b, k, &n);
    if (!scaled) break;
    if (n >= kHigh) {
      --k;
    } else if (n < kLow) {
      ++k;
    } else {
      break;
    }
  }
  const int power = 16 - k;
  // Beyond this window printf writes an exponent: the general way.
  if (!scaled || n < kLow || n >= kHigh || power < -4 || power >= 17) {
    return Fallback(value, std::chars_format::general, 17, out);
  }
  if (b.negative) *out++ = '-';
  char digits[17];
  digits[0] = static_cast<char>('0' + n / kLow);
  n %= kLow;
  EightDigits(static_cast<uint32_t>(n / 100'000'000), digits + 1);
  EightDigits(static_cast<uint32_t>(n % 100'000'000), digits + 9);
  int last = 16;  // trailing zeros of the fraction are dropped
  while (last > power && last > 0 && digits[last] == '0') --last;
  if (power >= 0) {
    for (int i = 0; i <= power; ++i) *out++ = digits[i];
    if (last > power) {
      *out++ = '.';
      for (int i = power + 1; i <= last; ++i) *out++ = digits[i];
    }
    return out;
  }
  *out++ = '0';
  *out++ = '.';
  for (int i = power; i < -1; ++i) *out++ = '0';
  for (int i = 0; i <= last; ++i) *out++ = digits[i];
  return out;
}

}  // namespace scenario
