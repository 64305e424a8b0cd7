#include "shell/words.h"

#include <cctype>

#include "console/number_text.h"

namespace {

bool begins_with_com(const char* arg) {
  const char* com = "com";
  for (; *com != '\0'; ++com, ++arg) {
    if (std::tolower(static_cast<unsigned char>(*arg)) != *com) return false;
  }
  return true;
}

}  // namespace

int parse_port_number(const char* arg) {
  int number = read_int(arg);
  if (number == 0) {
    if (!begins_with_com(arg)) return 0;
    number = read_int(arg + 3);
  }
  return number >= 1 && number <= 10 ? number : 0;
}
