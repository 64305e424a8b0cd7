#include <windows.h>

#include "serial/sys_error.h"

int sys_error_code() { return static_cast<int>(GetLastError()); }

int port_error_code(PortError error) {
  switch (error) {
    case PortError::kBadHandle:
      return ERROR_INVALID_HANDLE;
    case PortError::kTimedOut:
      return ERROR_TIMEOUT;
    default:
      return ERROR_IO_DEVICE;
  }
}

void set_port_error(PortError error) { SetLastError(static_cast<DWORD>(port_error_code(error))); }

void set_sys_error_code(int code) { SetLastError(static_cast<DWORD>(code)); }

// System messages end with CR LF; sys_error_text drops the LF. The last error
// is put back: asking for its text must not change it.
void sys_error_message(int code, char* buf, std::size_t cap) {
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(code),
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buf, static_cast<DWORD>(cap), nullptr);
  if (n == 0 && cap > 0) buf[0] = '\0';
  SetLastError(static_cast<DWORD>(code));
}
