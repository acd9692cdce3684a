#include "tool/common/json_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

namespace scenario {
namespace {

// Every finite double comes out as the library writes it: plan
// coordinates, every power of ten, any bit pattern at all.
TEST(JsonNumberTest, WritesWhatTheLibraryWrites) {
  std::mt19937_64 random(20261211);
  std::uniform_real_distribution<double> plan(-2e6, 2e6);
  std::vector<double> values = {
      0.0,  -0.0, 1.0,  0.1,    1e-5,
      1e15, 1e16, 1e21, 5e-324, 1.7976931348623157e308};
  for (int p = -320; p <= 308; ++p) values.push_back(std::pow(10.0, p));
  for (int i = 0; i < 400000; ++i) {
    values.push_back(plan(random));
    values.push_back(std::bit_cast<double>(random()));
  }
  for (double v : values) {
    if (!std::isfinite(v)) continue;
    char mine[kJsonNumberRoom], library[64];
    const std::string expected(
        library, nlohmann::detail::to_chars(library, library + 64, v));
    ASSERT_EQ(std::string(mine, WriteJsonNumber(v, mine)), expected) << v;
    ASSERT_EQ(nlohmann::json(v).dump(), expected);
  }
}

}  // namespace
}  // namespace scenario
