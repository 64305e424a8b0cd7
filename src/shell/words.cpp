#include "shell/words.h"

#include <cstring>

#include "text/token_scanner.h"

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
