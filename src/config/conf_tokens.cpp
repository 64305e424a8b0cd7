#include "config/conf_tokens.h"

#include <climits>
#include <cstdlib>
#include <cstring>

char* LineCutter::next(const char* delims) {
  pos_ += std::strspn(pos_, delims);
  if (*pos_ == '\0') return nullptr;
  char* token = pos_;
  pos_ += std::strcspn(pos_, delims);
  if (*pos_ != '\0') *pos_++ = '\0';
  return token;
}

namespace {

// strtol already saturates at the range of long, which is wider than int
// on some platforms: saturate once more so every platform gives the same.
int to_int(long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

int conf_decimal(const char* text) { return to_int(std::strtol(text, nullptr, 10)); }

int conf_auto_base(const char* text) { return to_int(std::strtol(text, nullptr, 0)); }

std::uint16_t conf_switch(const char* text, bool p_means_yes) {
  switch (text[0]) {
    case 'y':
    case 'Y':
    case '1':
    case 't':
    case 'T':
    case 'e':
    case 'E':
      return 1;
    case 'p':
    case 'P':
      return p_means_yes ? 1 : 0;
    default:
      return 0;
  }
}
