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

TEST(HexDigits, InhexsumAddsPairsModulo256) {
  struct Case {
    const char* text;
    unsigned want;
  };
  const Case cases[] = {
      {"10010000214601360121470136007EFE09D2190140", 0},
      {"", 0},
      {"0102", 3},
      {"FFFF", 0xFE},
      {"0102F", 3 + 15},  // a lone last character is a one-digit field
      {"  ", 0},
      {"010000004GFB", 0},  // what the non-digit check in the verifier exists for
  };
  for (const Case& c : cases) EXPECT_EQ(inhexsum(c.text), c.want) << c.text;
}

}  // namespace
