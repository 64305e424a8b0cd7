#include "angles/number_reading.h"

#include <charconv>
#include <limits>
#include <system_error>

#include "text/number_text.h"

namespace angles {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

// Skips white space and one sign; tells whether the sign was a minus.
const char* skip_to_digits(const char* p, const char* end, bool& negative) {
  while (p != end && is_blank(*p)) ++p;
  negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  return p;
}

bool has_nonzero_integer_digit(const char* p, const char* end) {
  for (; p != end && is_digit(*p); ++p) {
    if (*p != '0') return true;
  }
  return false;
}

}  // namespace

double decimal_reading(const char* begin, const char* end) {
  bool negative = false;
  const char* p = skip_to_digits(begin, end, negative);
  // A second sign, or a letter that from_chars would take as inf or nan, ends
  // the number before it starts.
  if (p == end || !(is_digit(*p) || *p == '.')) return 0;
  double value = 0;
  const auto [stop, ec] = std::from_chars(p, end, value, std::chars_format::fixed);
  if (ec == std::errc::invalid_argument) return 0;
  if (ec == std::errc::result_out_of_range) {
    // Without an exponent only a huge integer part overflows; anything else
    // that is out of range is too small to matter.
    value = has_nonzero_integer_digit(p, stop) ? std::numeric_limits<double>::infinity() : 0;
  }
  return negative ? -value : value;
}

}  // namespace angles
