#include "base/decimal_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace scenario {
namespace {

std::string Expected(double v, std::chars_format form, int precision) {
  char buffer[kDecimalRoom];
  return {
      buffer,
      std::to_chars(buffer, buffer + sizeof buffer, v, form, precision).ptr};
}

std::string Fixed(double v, int decimals) {
  char buffer[kDecimalRoom];
  return {buffer, WriteFixed(v, decimals, buffer)};
}

std::string General(double v) {
  char buffer[kDecimalRoom];
  return {buffer, WriteGeneral17(v, buffer)};
}

// Values a plan holds, the edges of the fast way, and exact ties.
std::vector<double> Values() {
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.0,
                                0.5,
                                2.5,
                                0.0078125,
                                -0.0078125,
                                1e-4,
                                9.9999e-5,
                                1e-5,
                                0.1,
                                0.3,
                                2.0 / 3,
                                999999.9999995,
                                1e15,
                                1e16,
                                1e17,
                                123456789e9,
                                9.99999999999999999e16,
                                1e21,
                                1e-300,
                                4.9e-324,
                                1.7976931348623157e308,
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::quiet_NaN(),
                                12.422547761166102,
                                1733.4541700614645,
                                0.5e-6,
                                1.5e-6,
                                2.5e-6,
                                9223372036854.775};
  std::mt19937_64 random(20261210);
  std::uniform_real_distribution<double> plan(-2e6, 2e6);
  std::uniform_int_distribution<int> power(-30, 30);
  for (int i = 0; i < 50000; ++i) {
    values.push_back(plan(random));
    values.push_back(plan(random) * std::pow(10.0, power(random)));
    // Any bit pattern at all.
    values.push_back(std::bit_cast<double>(random()));
    // Halves of the last decimal kept: ties the rounding must break evenly.
    values.push_back(std::ldexp(static_cast<double>(random() >> 40), -7));
  }
  return values;
}

TEST(DecimalTextTest, WritesWhatPrintfWrites) {
  for (double v : Values()) {
    ASSERT_EQ(General(v), Expected(v, std::chars_format::general, 17)) << v;
    for (int decimals : {0, 1, 6, 9}) {
      ASSERT_EQ(Fixed(v, decimals),
                Expected(v, std::chars_format::fixed, decimals))
          << v << " with " << decimals;
    }
  }
}

}  // namespace
}  // namespace scenario
