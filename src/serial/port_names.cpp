#include "serial/port_names.h"

#include <array>
#include <cstring>

namespace {

// The mappings given on the command line, fixed before the first command.
std::array<std::string, PORT_NAMES_MAX + 1>& mappings() {
  static std::array<std::string, PORT_NAMES_MAX + 1> paths;
  return paths;
}

// The number of a plain decimal "1".."limit" text ending at `end`, or 0.
int parse_number(const char* text, const char* end, int limit) {
  if (text == end || *text == '0') return 0;
  int n = 0;
  for (const char* p = text; p != end; ++p) {
    if (*p < '0' || *p > '9') return 0;
    n = n * 10 + (*p - '0');
    if (n > limit) return 0;
  }
  return n;
}

// The n of a "COMn" name, or 0.
int com_number(const char* name) {
  if (std::strncmp(name, "COM", 3) != 0) return 0;
  return parse_number(name + 3, name + std::strlen(name), 9999);
}

}  // namespace

bool port_names_map(const char* mapping) {
  const char* eq = std::strchr(mapping, '=');
  if (eq == nullptr || eq[1] == '\0') return false;
  const int n = parse_number(mapping, eq, PORT_NAMES_MAX);
  if (n == 0) return false;
  mappings()[static_cast<std::size_t>(n)] = eq + 1;
  return true;
}

void port_names_clear() {
  for (std::string& path : mappings()) path.clear();
}

std::string port_device_path(const char* name) {
  const int n = com_number(name);
  if (n == 0) return name;
  if (n <= PORT_NAMES_MAX && !mappings()[static_cast<std::size_t>(n)].empty()) {
    return mappings()[static_cast<std::size_t>(n)];
  }
  return default_device_path(n);
}
