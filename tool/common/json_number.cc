#include "tool/common/json_number.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

namespace scenario {
namespace {

namespace dtoa = nlohmann::detail::dtoa_impl;
using dtoa::diyfp;

// The library's Grisu2, step for step and to the same bits, in fewer
// instructions: shifts by a count of leading zeros where it shifts a bit
// at a time, one wide multiplication where it multiplies in halves, and
// the integer part's digits two at a time where none of them can be the
// last.

// x with its top bit set.
diyfp Normalized(diyfp x) {
  const int shift = std::countl_zero(x.f);
  return {x.f << shift, x.e - shift};
}

// The upper 64 bits of x * y, rounded (ties up), as the library rounds.
diyfp Times(diyfp x, diyfp y) {
  __extension__ typedef unsigned __int128 Wide;
  const Wide product = Wide{x.f} * y.f + (Wide{1} << 63);
  return {static_cast<std::uint64_t>(product >> 64), x.e + y.e + 64};
}

// The library's digit generation.
void GenerateDigits(char* buffer, int& length, int& decimal_exponent,
                    diyfp m_minus, diyfp w, diyfp m_plus) {
  std::uint64_t delta = diyfp::sub(m_plus, m_minus).f;
  std::uint64_t dist = diyfp::sub(m_plus, w).f;
  const diyfp one(std::uint64_t{1} << -m_plus.e, m_plus.e);
  auto p1 = static_cast<std::uint32_t>(m_plus.f >> -one.e);
  std::uint64_t p2 = m_plus.f & (one.f - 1);
  std::uint32_t pow10 = 0;
  const int k = dtoa::find_largest_pow10(p1, pow10);
  if (p2 > delta) {
    // No digit of the integer part can end the number, since what is left
    // after each is at least the fraction: they all come out, two at a
    // time from the last.
    std::uint32_t rest = p1;
    int i = length + k;
    for (; i - length >= 2; i -= 2) {
      const std::uint32_t pair = rest % 100;
      rest /= 100;
      buffer[i - 1] = static_cast<char>('0' + pair % 10);
      buffer[i - 2] = static_cast<char>('0' + pair / 10);
    }
    if (i > length) buffer[i - 1] = static_cast<char>('0' + rest);
    length += k;
  } else {
    for (int n = k; n > 0;) {
      const std::uint32_t d = p1 / pow10;
      buffer[length++] = static_cast<char>('0' + d);
      p1 %= pow10;
      --n;
      const std::uint64_t rest = (std::uint64_t{p1} << -one.e) + p2;
      if (rest <= delta) {
        decimal_exponent += n;
        const std::uint64_t ten_n = std::uint64_t{pow10} << -one.e;
        dtoa::grisu2_round(buffer, length, dist, delta, rest, ten_n);
        return;
      }
      pow10 /= 10;
    }
  }
  int m = 0;
  for (;;) {
    p2 *= 10;
    const std::uint64_t d = p2 >> -one.e;
    const std::uint64_t r = p2 & (one.f - 1);
    buffer[length++] = static_cast<char>('0' + d);
    p2 = r;
    ++m;
    delta *= 10;
    dist *= 10;
    if (p2 <= delta) break;
  }
  decimal_exponent -= m;
  const std::uint64_t ten_m = one.f;
  dtoa::grisu2_round(buffer, length, dist, delta, p2, ten_m);
}

}  // namespace

char* WriteJsonNumber(double value, char* out) {
  if (std::signbit(value)) {
    value = -value;
    *out++ = '-';
  }
  if (value == 0) {
    *out++ = '0';
    *out++ = '.';
    *out++ = '0';
    return out;
  }
  // The value and the midpoints to its neighbours, normalized alike.
  constexpr int kPrecision = std::numeric_limits<double>::digits;
  constexpr int kBias =
      std::numeric_limits<double>::max_exponent - 1 + (kPrecision - 1);
  constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << (kPrecision - 1);
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const std::uint64_t e = bits >> (kPrecision - 1);
  const std::uint64_t f = bits & (kHiddenBit - 1);
  const diyfp v = e == 0 ? diyfp(f, 1 - kBias)
                         : diyfp(f + kHiddenBit, static_cast<int>(e) - kBias);
  const bool lower_is_closer = f == 0 && e > 1;
  const diyfp plus = Normalized(diyfp(2 * v.f + 1, v.e - 1));
  const diyfp minus_raw = lower_is_closer ? diyfp(4 * v.f - 1, v.e - 2)
                                          : diyfp(2 * v.f - 1, v.e - 1);
  const diyfp minus(minus_raw.f << (minus_raw.e - plus.e), plus.e);
  const dtoa::cached_power cached =
      dtoa::get_cached_power_for_binary_exponent(plus.e);
  const diyfp c_minus_k(cached.f, cached.e);
  const diyfp scaled = Times(Normalized(v), c_minus_k);
  const diyfp low = Times(minus, c_minus_k);
  const diyfp high = Times(plus, c_minus_k);
  int length = 0;
  int decimal_exponent = -cached.k;
  GenerateDigits(out, length, decimal_exponent, diyfp(low.f + 1, low.e), scaled,
                 diyfp(high.f - 1, high.e));
  return dtoa::format_buffer(out, length, decimal_exponent, -4,
                             std::numeric_limits<double>::digits10);
}

}  // namespace scenario
