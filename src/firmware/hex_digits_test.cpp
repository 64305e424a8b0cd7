#include "firmware/hex_digits.h"

#include <gtest/gtest.h>

namespace {

TEST(HexDigits, HextoiDocumentedCases) {
  struct Case {
    const char* text;
    int count;
    int want;
  };
  const Case cases[] = {
      {nullptr, 2, 0}, {"1F", 0, 0},        {"1F", -1, 0},  {"1F", 2, 31},    {"ff", 2, 255},
      {"A", 2, 10},    {"4G", 2, 4},        {"G4", 2, 0},   {"0x", 2, 0},     {"0X", 2, 0},
      {" 5", 2, 5},    {"\t5", 2, 5},       {"  ", 2, 0},   {"-5", 2, -5},    {"+5", 2, 5},
      {"-", 2, 0},     {"12345", 3, 0x123}, {"0x1F", 4, 0}, {" -1F", 4, -31}, {"- 1F", 5, -31},
      {"00", 2, 0},    {"0", 2, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hextoi(c.text, c.count), c.want) << (c.text ? c.text : "null") << "/" << c.count;
  }
}

// The sum, and the run of leading digits the verifier checks the fields with.
TEST(HexDigits, InhexsumAddsPairsModulo256) {
  struct Case {
    const char* text;
    unsigned sum;
    std::size_t digits;
  };
  const Case cases[] = {
      {"10010000214601360121470136007EFE09D2190140", 0, 42},
      {"", 0, 0},
      {"0102", 3, 4},
      {"FFFF", 0xFE, 4},
      {"0102F", 3 + 15, 5},  // a lone last character is a one-digit field
      {"  ", 0, 0},
      {"010000004GFB", 0, 9},
      {"01000000 4FB", 0, 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inhexsum(c.text), c.sum) << c.text;
    EXPECT_EQ(hex_scan(c.text).digits, c.digits) << c.text;
  }
}

}  // namespace
