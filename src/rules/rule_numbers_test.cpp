#include "rules/rule_numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

#include "angles/dmctodeg.h"

namespace {

TEST(ReadDecimalReal, PlainDecimalForms) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"10", 10.0},      {"  -2.5e1x", -25.0}, {"+.5", 0.5},     {".5", 0.5},
      {"5.", 5.0},       {"2.5mi", 2.5},       {"1e", 1.0},      {"1e+", 1.0},
      {"1.5E-2", 0.015}, {"\t7", 7.0},         {"007.25", 7.25}, {"3e2.5", 300.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(read_decimal_real(c.text), c.value) << c.text;
}

TEST(ReadDecimalReal, NoPlainNumberGivesZero) {
  // A general library conversion would read these as hex, infinity or NaN.
  for (const char* text :
       {"", "-", ".", "+.e5", "abc", "0x10", "inf", "-INF", "nan", "NaN(1)", "e5", "infinity"}) {
    EXPECT_EQ(read_decimal_real(text), 0.0) << text;
  }
}

TEST(ReadDecimalReal, HugeValuesBecomeInfinite) {
  EXPECT_TRUE(std::isinf(read_decimal_real("1e999")));
  EXPECT_GT(read_decimal_real("1e999"), 0);
  EXPECT_TRUE(std::isinf(read_decimal_real(std::string(400, '9').c_str())));
}

TEST(ReadDecimalInt, SignDigitsAndStop) {
  EXPECT_EQ(read_decimal_int("3"), 3);
  EXPECT_EQ(read_decimal_int("-3"), -3);
  EXPECT_EQ(read_decimal_int("+7"), 7);
  EXPECT_EQ(read_decimal_int(""), 0);
  EXPECT_EQ(read_decimal_int("x5"), 0);
  EXPECT_EQ(read_decimal_int("16abc"), 16);
  EXPECT_EQ(read_decimal_int("-"), 0);
  EXPECT_EQ(read_decimal_int("0x1F"), 0);
}

TEST(ReadDecimalInt, HugeValuesSaturate) {
  EXPECT_EQ(read_decimal_int("2147483647"), INT_MAX);
  EXPECT_EQ(read_decimal_int("2147483648"), INT_MAX);
  EXPECT_EQ(read_decimal_int("-2147483648"), INT_MIN);
  EXPECT_EQ(read_decimal_int("-2147483649"), INT_MIN);
  EXPECT_EQ(read_decimal_int("99999999999"), INT_MAX);
  EXPECT_EQ(read_decimal_int(std::string(200, '9').c_str()), INT_MAX);
  EXPECT_EQ(read_decimal_int(("-" + std::string(200, '9')).c_str()), INT_MIN);
}

TEST(ToSingle, RoundsLikeIeee) {
  EXPECT_EQ(to_single(39.1), 39.1f);
  EXPECT_EQ(to_single(DMC_FAIL), FLT_MAX);
  EXPECT_EQ(to_single(-DMC_FAIL), -FLT_MAX);
  EXPECT_EQ(to_single(static_cast<double>(FLT_MAX) + 0x1p102), FLT_MAX);
  EXPECT_TRUE(std::isinf(to_single(static_cast<double>(FLT_MAX) + 0x1p103)));
  EXPECT_TRUE(std::isinf(to_single(1e39)));
  EXPECT_LT(to_single(-1e39), 0);
  EXPECT_TRUE(std::isinf(to_single(-1e39)));
  EXPECT_TRUE(std::isinf(to_single(HUGE_VAL)));
}

}  // namespace
