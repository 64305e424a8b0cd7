#pragma once
// The platform's last error: its code (errno, GetLastError), its text, and the
// few failures the port layer or a test double reports itself. Shared code is
// in sys_error.cpp, each platform's in posix_sys_error.cpp and
// win32_sys_error.cpp. `sys_error_text` (serial.h) is what messages quote.

#include <cstddef>
#include <string>

// The platform's last error code.
int sys_error_code();

// Failures whose last error the port layer or a test double sets itself, by
// the platform's code for each: a port that is not open (EBADF,
// ERROR_INVALID_HANDLE), a transfer cut short by its timeout (ETIMEDOUT,
// ERROR_TIMEOUT) and a device that failed a transfer (EIO, ERROR_IO_DEVICE).
enum class PortError { kBadHandle, kTimedOut, kIo };
int port_error_code(PortError error);
void set_port_error(PortError error);
// Sets the platform's last error code back to `code` (one read earlier).
void set_sys_error_code(int code);
// Sets the platform's last error to its "bad handle" code: an operation on a
// port that is not open fails as the system would fail it.
void set_bad_handle_error();

// The platform's text for `code` into buf (terminated, possibly empty); the
// last error stays as it was.
void sys_error_message(int code, char* buf, std::size_t cap);

// Drops the line feed that ends a system message; a text that does not end
// with one is kept whole.
void trim_system_text(char* text);

// The platform's text for `code` as one line: without the line end (CR LF
// on Windows) that system messages carry.
std::string sys_error_line(int code);
