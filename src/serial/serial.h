#pragma once
// The serial port routines the rest of the utility uses. They act on the one
// open port, held in the link state's `port_handle`; the port name is used to
// open it (port_names.h says which device that is) and in messages. Each
// routine prints its own message on failure; the caller adds its own.
//
// How the timeouts work. Every transfer is bounded by a total time, never by
// the pause between bytes (the read interval is 0):
//
//   read of `size` bytes:   read multiplier x size + timeout_ms + 10 ms
//   write of `count` bytes: write multiplier x count + 10 ms
//
// A read returns at once when its full count has arrived, however early,
// and otherwise at the end of its total with what came. The multipliers
// follow the rate set at open, in whole milliseconds per byte (integer
// division): 10000 / rate for reads, about one 10-bit byte's time, and
// 20000 / rate for writes; 4800 baud gives 2 and 4, 9600 gives 1 and 2,
// 19200 gives 0 and 1, 38400 and up 0 and 0. So 100 bytes with 20000 ms at
// 9600 baud wait at most 100 x 1 + 20000 + 10 = 20110 ms. port_settings.h
// holds the arithmetic; each platform's port device keeps it.
//
// The line rates themselves, and `get_baud`, are in port_rate_table.h.

#include <cstdint>

#include "console/console.h"
#include "serial/port_env.h"
#include "serial/port_handle.h"

// Opens `name` through `opener` (the platform's device open by default),
// first closing any port `port` still holds, then sets the line and the
// timeouts and purges. 0 when open and ready; -1 no name; -2 the device
// could not be opened; -3 the line settings failed (set_comm_prop's message);
// -14 the timeouts could not be set. After -2, -3 or -14 no port is held.
int open_port(Console& con, PortHandle& port, const char* name, std::int32_t baud,
              const PortOpener& opener = PortEnv{}.open_device);

// Checks that the driver can do 8 data bits, no parity, one stop bit and
// total timeouts, then sets that line at `baud` with no flow control. 0 on
// success, or (there is no -8):
//   -1      no name
//   -2      a rate not in port_rate_table; the port is not touched
//   -3, -5  the first or second comm properties buffer could not be allocated
//   -4, -6  the first or second comm properties query failed (-4 also when
//           no port is open)
//   -7      parity, baud, data bits and stop bits are not all settable
//   -9      8 data bits are not settable
//   -10     one stop bit with no parity is not settable
//   -11     total and interval timeouts are not both there
//   -12     the port state could not be read
//   -13     the port state could not be written (a rate the system lacks too)
// Every failure from -3 on closes the port.
int set_comm_prop(Console& con, PortHandle& port, const char* name, std::int32_t baud);

// Reads up to `size` bytes (at least 1) within the total above and returns
// how many came, 0..size (0 when nothing came in time); the buffer is not
// terminated. A timeout of 0 keeps the timeouts set at open; every caller
// passes more. Never returns on failure: a bad argument (no name, no buffer,
// a size below 1), no open port or timeouts the driver refuses, or a failed
// read (a hang-up, an I/O error) goes to read_port_fatal, which ends the
// process.
int read_port(Console& con, PortHandle& port, const char* name, std::uint8_t* buf, int size,
              std::uint32_t timeout_ms);

// Writes all `count` bytes within the write total. `count` on success; -1 no
// name or a count below 1; -2 no buffer; -3 the write failed or was cut
// short (the message says how many bytes went). Never 0: a negative result
// is a failed write.
int write_port(Console& con, PortHandle& port, const char* name, const void* buf, int count);

// Discards what the driver holds in both directions; nothing when no port is
// open.
void purge_port(PortHandle& port);

// The system's text for its last error code, without the line feed that
// ends it (the carriage return of a Windows text stays). The text lives in a
// static 1024-byte buffer that the next call overwrites; the last error code
// stays as it was.
const char* sys_error_text();

// Writes `text` and "Return code %d, system error code %d\n" to standard
// error. A non-zero code then waits 5 seconds, so the operator can read it,
// and ends the process (abort); a code of 0 returns.
void read_port_fatal(Console& con, int code, const char* text);
