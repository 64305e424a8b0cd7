#include "text/number_text.h"

#include <climits>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* skip_space(const char* p) {
  while (is_space(*p)) ++p;
  return p;
}

const char* skip_sign(const char* p) { return (*p == '+' || *p == '-') ? p + 1 : p; }

const char* skip_digits(const char* p) {
  while (is_digit(*p)) ++p;
  return p;
}

// The end of the longest plain decimal number at `p`, or `p` when none.
const char* decimal_end(const char* p) {
  const char* q = skip_sign(p);
  const char* end = skip_digits(q);
  bool has_digits = end != q;
  if (*end == '.') {
    const char* fraction_end = skip_digits(end + 1);
    has_digits = has_digits || fraction_end != end + 1;
    end = fraction_end;
  }
  if (!has_digits) return p;
  if (*end == 'e' || *end == 'E') {
    const char* exponent = skip_sign(end + 1);
    const char* exponent_end = skip_digits(exponent);
    if (exponent_end != exponent) end = exponent_end;
  }
  return end;
}

}  // namespace

int read_int(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && is_space(*p)) ++p;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '+' || *p == '-')) ++p;
  long long value = 0;
  for (; p != end && is_digit(*p); ++p) {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int read_int_auto_base(const char* text) {
  // strtol saturates at the range of long, which is wider than int on some
  // platforms: saturate once more so every platform gives the same.
  const long value = std::strtol(text, nullptr, 0);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double read_real(const char* text) {
  const char* p = skip_space(text);
  const char* end = decimal_end(p);
  if (end == p) return 0.0;
  // Only the checked text reaches strtod, so it cannot take a form of its own.
  const std::string number(p, end);
  return std::strtod(number.c_str(), nullptr);
}

float to_single(double value) {
  static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);
  constexpr double FLOAT_MAX = std::numeric_limits<float>::max();
  // Halfway between the largest float and 2^128: from here on IEEE rounds to
  // infinity, below it to the largest float.
  constexpr double FLOAT_OVERFLOW = FLOAT_MAX + 0x1p103;
  if (value >= FLOAT_OVERFLOW) return std::numeric_limits<float>::infinity();
  if (value <= -FLOAT_OVERFLOW) return -std::numeric_limits<float>::infinity();
  if (value > FLOAT_MAX) return std::numeric_limits<float>::max();
  if (value < -FLOAT_MAX) return std::numeric_limits<float>::lowest();
  return static_cast<float>(value);
}
