#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

namespace {

TEST(ReadReal, PlainDecimalForms) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"10", 10.0},      {"  -2.5e1x", -25.0}, {"+.5", 0.5},     {".5", 0.5},
      {"5.", 5.0},       {"2.5mi", 2.5},       {"1e", 1.0},      {"1e+", 1.0},
      {"1.5E-2", 0.015}, {"\t7", 7.0},         {"007.25", 7.25}, {"3e2.5", 300.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(read_real(c.text), c.value) << c.text;
}

TEST(ReadReal, NoPlainNumberGivesZero) {
  // A general library conversion would read these as hex, infinity or NaN.
  for (const char* text :
       {"", "-", ".", "+.e5", "abc", "0x10", "inf", "-INF", "nan", "NaN(1)", "e5", "infinity"}) {
    EXPECT_EQ(read_real(text), 0.0) << text;
  }
}

TEST(ReadReal, HugeValuesBecomeInfinite) {
  EXPECT_TRUE(std::isinf(read_real("1e999")));
  EXPECT_GT(read_real("1e999"), 0);
  EXPECT_TRUE(std::isinf(read_real(std::string(400, '9').c_str())));
}

TEST(ReadInt, SignDigitsAndStop) {
  EXPECT_EQ(read_int("3"), 3);
  EXPECT_EQ(read_int("-3"), -3);
  EXPECT_EQ(read_int("+7"), 7);
  EXPECT_EQ(read_int(""), 0);
  EXPECT_EQ(read_int("x5"), 0);
  EXPECT_EQ(read_int("16abc"), 16);
  EXPECT_EQ(read_int("-"), 0);
  EXPECT_EQ(read_int("0x1F"), 0);
}

TEST(ReadInt, HugeValuesSaturate) {
  EXPECT_EQ(read_int("2147483647"), INT_MAX);
  EXPECT_EQ(read_int("2147483648"), INT_MAX);
  EXPECT_EQ(read_int("-2147483648"), INT_MIN);
  EXPECT_EQ(read_int("-2147483649"), INT_MIN);
  EXPECT_EQ(read_int("99999999999"), INT_MAX);
  EXPECT_EQ(read_int(std::string(200, '9').c_str()), INT_MAX);
  EXPECT_EQ(read_int(("-" + std::string(200, '9')).c_str()), INT_MIN);
}

TEST(ReadInt, StopsAtTheViewsEnd) {
  const char text[] = "12345";
  EXPECT_EQ(read_int(std::string_view(text, 3)), 123);
  EXPECT_EQ(read_int(" \t-12x"), -12);
  EXPECT_EQ(read_int("+-7"), 0);
  EXPECT_EQ(read_int("- 7"), 0);
  EXPECT_EQ(read_int("3.9"), 3);
  EXPECT_EQ(read_int("017"), 17);
}

TEST(ReadIntAutoBase, PrefixTellsTheBase) {
  const std::pair<const char*, int> cases[] = {
      {"0x0f", 15},
      {"0X1F", 31},
      {"017", 15},
      {"15", 15},
      {"08", 0},
      {"0x", 0},
      {"0xg", 0},
      {"abc", 0},
      {"-0x1", -1},
      {"0x100000000f", INT_MAX},
      {"-99999999999999999999999", INT_MIN},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(read_int_auto_base(text), value) << text;
}

TEST(ToSingle, RoundsLikeIeee) {
  EXPECT_EQ(to_single(39.1), 39.1f);
  EXPECT_EQ(to_single(static_cast<double>(FLT_MAX)), FLT_MAX);
  EXPECT_EQ(to_single(-static_cast<double>(FLT_MAX)), -FLT_MAX);
  EXPECT_EQ(to_single(static_cast<double>(FLT_MAX) + 0x1p102), FLT_MAX);
  EXPECT_TRUE(std::isinf(to_single(static_cast<double>(FLT_MAX) + 0x1p103)));
  EXPECT_TRUE(std::isinf(to_single(1e39)));
  EXPECT_LT(to_single(-1e39), 0);
  EXPECT_TRUE(std::isinf(to_single(-1e39)));
  EXPECT_TRUE(std::isinf(to_single(HUGE_VAL)));
}

}  // namespace
