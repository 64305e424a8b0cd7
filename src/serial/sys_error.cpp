#include "serial/sys_error.h"

#include <cstring>

void set_bad_handle_error() { set_port_error(PortError::kBadHandle); }

void trim_system_text(char* text) {
  const std::size_t len = std::strlen(text);
  if (len > 0 && text[len - 1] == '\n') text[len - 1] = '\0';
}

std::string sys_error_line(int code) {
  char text[1024];
  sys_error_message(code, text, sizeof text);
  trim_system_text(text);
  std::string line = text;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}
