#include "serial/sys_error.h"

#include <cstring>

#include "serial/port_device.h"
#include "serial/serial.h"

void trim_system_text(char* text) {
  const std::size_t len = std::strlen(text);
  if (len > 0 && text[len - 1] == '\n') text[len - 1] = '\0';
}

const char* sys_error_text() {
  static char text[1024];
  sys_error_message(sys_error_code(), text, sizeof text);
  trim_system_text(text);
  return text;
}
