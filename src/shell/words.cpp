#include "shell/words.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace {

bool is_separator(char c) { return c == ',' || c == ' ' || c == '\t'; }

}  // namespace

const char* WordSplitter::next() {
  if (pos_ == nullptr) return nullptr;
  while (is_separator(*pos_)) ++pos_;
  if (*pos_ == '\0') {
    pos_ = nullptr;
    return nullptr;
  }
  char* word = pos_;
  while (*pos_ != '\0' && !is_separator(*pos_)) ++pos_;
  if (*pos_ != '\0') {
    *pos_ = '\0';
    ++pos_;
  } else {
    pos_ = nullptr;
  }
  return word;
}

int leading_int(const char* text) {
  while (std::isspace(static_cast<unsigned char>(*text))) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  long long value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
    if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*text - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int parse_port_number(const char* arg) {
  int number = leading_int(arg);
  if (number == 0) {
    const bool com = std::strlen(arg) >= 3 &&
                     std::tolower(static_cast<unsigned char>(arg[0])) == 'c' &&
                     std::tolower(static_cast<unsigned char>(arg[1])) == 'o' &&
                     std::tolower(static_cast<unsigned char>(arg[2])) == 'm';
    if (!com) return 0;
    number = leading_int(arg + 3);
  }
  return number >= 1 && number <= 10 ? number : 0;
}
