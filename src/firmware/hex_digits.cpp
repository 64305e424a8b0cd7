#include "firmware/hex_digits.h"

#include <array>

namespace {

constexpr std::array<std::int8_t, 256> make_digit_table() {
  std::array<std::int8_t, 256> table{};
  for (auto& v : table) v = -1;
  for (int i = 0; i < 10; ++i) table['0' + i] = static_cast<std::int8_t>(i);
  for (int i = 0; i < 6; ++i) {
    table['a' + i] = static_cast<std::int8_t>(10 + i);
    table['A' + i] = static_cast<std::int8_t>(10 + i);
  }
  return table;
}

constexpr std::array<std::int8_t, 256> DIGIT_TABLE = make_digit_table();

bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

int hex_digit_value(char c) { return DIGIT_TABLE[static_cast<unsigned char>(c)]; }

int hextoi(const char* text, int count) {
  if (text == nullptr || count < 1) return 0;
  const char* p = text;
  for (; count > 0 && is_blank(*p); --count) ++p;
  bool negative = false;
  if (count > 0 && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
    --count;
  }
  for (; count > 0; --count) {
    if (is_blank(*p) || (p[0] == '0' && (p[1] == 'x' || p[1] == 'X'))) {
      ++p;
    } else {
      break;
    }
  }
  // Unsigned, so that a long field wraps instead of overflowing.
  unsigned value = 0;
  for (; count > 0 && hex_digit_value(*p) >= 0; --count) {
    value = value * 16u + static_cast<unsigned>(hex_digit_value(*p++));
  }
  return static_cast<int>(negative ? 0u - value : value);
}

HexScan hex_scan(const char* text) {
  unsigned sum = 0;
  std::size_t digits = 0;
  bool all_digits = true;
  for (const char* p = text; *p != '\0'; p += 2) {
    const int high = hex_digit_value(p[0]);
    const int low = hex_digit_value(p[1]);
    if (high >= 0 && low >= 0) {
      // The common case; anything else takes hextoi's rules.
      sum += static_cast<unsigned>(high * 16 + low);
      digits += all_digits ? 2 : 0;
    } else {
      sum += static_cast<unsigned>(hextoi(p, 2));
      digits += all_digits && high >= 0 ? 1 : 0;
      all_digits = false;
    }
    if (p[1] == '\0') break;
  }
  return {static_cast<std::uint8_t>(sum), digits};
}

std::uint8_t inhexsum(const char* text) { return hex_scan(text).sum; }
