#include <cerrno>
#include <cstdio>
#include <cstring>

#include "serial/sys_error.h"

int sys_error_code() { return errno; }

int port_error_code(PortError error) {
  switch (error) {
    case PortError::kBadHandle:
      return EBADF;
    case PortError::kTimedOut:
      return ETIMEDOUT;
    default:
      return EIO;
  }
}

void set_port_error(PortError error) { errno = port_error_code(error); }

void set_sys_error_code(int code) { errno = code; }

// strerror texts carry no line end; they are used whole.
void sys_error_message(int code, char* buf, std::size_t cap) {
  const int saved = errno;
  if (std::snprintf(buf, cap, "%s", std::strerror(code)) < 0 && cap > 0) buf[0] = '\0';
  errno = saved;
}
