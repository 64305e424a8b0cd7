#pragma once
// The platform's side of the serial port: one open device and the few
// operations the port routines need. `win32_port.cpp` puts it over kernel32,
// `posix_port.cpp` over termios; tests put a scripted fake behind it. Every
// failing call leaves the platform's last error set, which `sys_error_text`
// and `sys_error_code` report.

#include <cstddef>
#include <memory>

#include "serial/port_settings.h"

// Which step of the two-step properties query failed.
enum class PropsFailure { kNone, kAllocFirst, kGetFirst, kAllocSecond, kGetSecond };

class PortDevice {
 public:
  virtual ~PortDevice() = default;

  virtual PropsFailure get_properties(CommCaps& caps) = 0;
  // Reads the driver's port state; the backend keeps the fields `PortDcb`
  // does not carry and writes them back unchanged in `set_state`.
  virtual bool get_state(PortDcb& dcb) = 0;
  virtual bool set_state(const PortDcb& dcb) = 0;
  virtual bool set_timeouts(const PortTimeouts& timeouts) = 0;
  // Up to `size` bytes within the read budget of the timeouts last set; false
  // on a failure (hang-up included), with `got` the bytes read so far.
  virtual bool read(unsigned char* buf, int size, int& got) = 0;
  // All `count` bytes within the write budget; false on a failure or a short
  // write, with `written` the bytes the driver took.
  virtual bool write(const void* buf, int count, int& written) = 0;
  virtual void purge() = 0;
};

// Opens `path` exclusively for reading and writing; null on failure.
std::unique_ptr<PortDevice> port_device_open(const char* path);

// The platform's last error code (errno, GetLastError).
int sys_error_code();
// Failures whose last error the port layer or a test double sets itself, by
// the platform's code for each: a port that is not open (EBADF,
// ERROR_INVALID_HANDLE), a transfer cut short by its timeout (ETIMEDOUT,
// ERROR_TIMEOUT) and a device that failed a transfer (EIO, ERROR_IO_DEVICE).
enum class PortError { kBadHandle, kTimedOut, kIo };
int port_error_code(PortError error);
void set_port_error(PortError error);
// Sets the platform's last error to its "bad handle" code: an operation on a
// port that is not open fails as the system would fail it.
void set_bad_handle_error();
// The platform's text for `code` into buf (terminated, possibly empty).
void sys_error_message(int code, char* buf, std::size_t cap);
