#include "angles/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

double read_dec(const std::string& s) {
  return angles::decimal_reading(s.data(), s.data() + s.size());
}

TEST(NumberReading, DecimalTakesDigitsPointAndFractionOnly) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},
      {".", 0},
      {"-", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"1.5", 1.5},
      {" \t-2.25", -2.25},
      {".5", 0.5},
      {"-.5", -0.5},
      {"7.", 7},
      {"1e5", 1},
      {"2E-3", 2},
      {"0x10", 0},
      {"inf", 0},
      {"nan", 0},
      {"-infinity", 0},
      {"1.2.3", 1.2},
      {"3 4", 3},
      {"+8", 8},
      {"12,5", 12},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(read_dec(text), value) << '"' << text << '"';
  EXPECT_TRUE(std::signbit(read_dec("-0")));
}

TEST(NumberReading, DecimalStopsAtTheGivenEnd) {
  const char text[] = "12.75";
  EXPECT_EQ(angles::decimal_reading(text, text + 3), 12.0);
}

TEST(NumberReading, DecimalExtremes) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(read_dec("1" + std::string(400, '0')), inf);
  EXPECT_EQ(read_dec("-1" + std::string(400, '0') + ".5"), -inf);
  EXPECT_EQ(read_dec("0." + std::string(400, '0') + "1"), 0.0);
}

}  // namespace
