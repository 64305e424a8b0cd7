#pragma once
// The platform's side of the serial port: one open device and the few
// operations the port routines need. `win32_port_device.cpp` puts it over
// kernel32, `posix_port_device.cpp` over termios; tests put a scripted fake
// behind it. Every failing call leaves the platform's last error set
// (sys_error.h), which the routines' messages quote.

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
  // Up to `size` bytes, ending as serial.h's timeout model says by the
  // timeouts last set; false on a failure (hang-up included), with `got`
  // the bytes read so far.
  virtual bool read(unsigned char* buf, int size, int& got) = 0;
  // All `count` bytes within the write total; false on a failure or a short
  // write, with `written` the bytes the driver took.
  virtual bool write(const void* buf, int count, int& written) = 0;
  virtual void purge() = 0;
};

// Opens `path` exclusively for reading and writing; null on failure.
std::unique_ptr<PortDevice> port_device_open(const char* path);
