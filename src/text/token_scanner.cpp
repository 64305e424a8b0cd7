#include "text/token_scanner.h"

#include <cstring>

char* TokenScanner::next(const char* separators) {
  char* start = pos_ + std::strspn(pos_, separators);
  if (*start == '\0') {
    pos_ = start;
    return nullptr;
  }
  char* end = start + std::strcspn(start, separators);
  if (*end == '\0') {
    pos_ = end;
  } else {
    *end = '\0';
    pos_ = end + 1;
  }
  return start;
}
