#include "port_list/port_list.h"

#include <cctype>
#include <cstddef>

namespace {

bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The run of digits at `i`, without its leading zeros; `i` moves past it.
std::string digit_run(const std::string& s, std::size_t& i) {
  while (i < s.size() && s[i] == '0' && i + 1 < s.size() && is_digit(s[i + 1])) ++i;
  const std::size_t start = i;
  while (i < s.size() && is_digit(s[i])) ++i;
  return s.substr(start, i - start);
}

}  // namespace

bool port_name_less(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (is_digit(a[i]) && is_digit(b[j])) {
      const std::string x = digit_run(a, i);
      const std::string y = digit_run(b, j);
      if (x.size() != y.size()) return x.size() < y.size();
      if (x != y) return x < y;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  return a.size() - i < b.size() - j;
}
