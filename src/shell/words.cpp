#include "shell/words.h"

#include <cctype>
#include <cstring>

#include "console/number_text.h"
#include "console/token_scanner.h"

namespace {

bool begins_with_com(const char* arg) {
  const char* com = "com";
  for (; *com != '\0'; ++com, ++arg) {
    if (std::tolower(static_cast<unsigned char>(*arg)) != *com) return false;
  }
  return true;
}

}  // namespace

const char* WordSplitter::next() {
  char* start = pos_ + std::strspn(pos_, WORD_SEPARATORS);
  if (*start == '\0') {
    pos_ = start;
    return nullptr;
  }
  char* end = start + std::strcspn(start, WORD_SEPARATORS);
  pos_ = *end == '\0' ? end : end + 1;
  *end = '\0';
  return start;
}

const char* WordSplitter::next_file_name(bool* unclosed) {
  *unclosed = false;
  pos_ += std::strspn(pos_, WORD_SEPARATORS);
  if (*pos_ != '"') return next();
  char* name = pos_ + 1;
  char* close = std::strchr(name, '"');
  if (close == nullptr) {
    *unclosed = true;
    char* typed = pos_;
    pos_ += std::strlen(pos_);
    return typed;
  }
  *close = '\0';
  pos_ = close + 1;
  return name;
}

int parse_port_number(const char* arg) {
  int number = read_int(arg);
  if (number == 0) {
    if (!begins_with_com(arg)) return 0;
    number = read_int(arg + 3);
  }
  return number >= 1 && number <= 10 ? number : 0;
}
