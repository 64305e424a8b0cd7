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

// What open_port gives. After kCannotOpen, kLineSettings or kTimeouts no
// port is held.
enum class OpenPortResult : int {
  kOk = 0,
  kNoName = -1,
  kCannotOpen = -2,    // the device could not be opened
  kLineSettings = -3,  // set_comm_prop failed, with its message
  kTimeouts = -14,     // the timeouts could not be set
};

// Opens `name` (a COM name is looked up in `env.names`) through the
// environment's opener, traced when `env.trace` is set, first closing any
// port `port` still holds, then sets the line and the timeouts and purges.
OpenPortResult open_port(Console& con, PortHandle& port, const char* name, std::int32_t baud,
                         const PortEnv& env = PortEnv{});

// The part of open_port that follows the platform open, for a device that
// is already attached to `port`: line settings, timeouts, purge. Apart so
// that it can run over any device, a scripted one included.
OpenPortResult open_port_setup(Console& con, PortHandle& port, const char* name, std::int32_t baud);

// What set_comm_prop gives (there is no -8). Every failure from
// kAllocFirst on closes the port.
enum class CommPropResult : int {
  kOk = 0,
  kNoName = -1,
  kBadRate = -2,      // not in port_rate_table; the port is not touched
  kAllocFirst = -3,   // the first comm properties buffer could not be allocated
  kQueryFirst = -4,   // the first query failed, or no port is open
  kAllocSecond = -5,  // the second buffer could not be allocated
  kQuerySecond = -6,  // the second query failed
  kParams = -7,       // parity, baud, data bits and stop bits not all settable
  kDataBits = -9,     // 8 data bits not settable
  kStopParity = -10,  // one stop bit with no parity not settable
  kTimeouts = -11,    // total and interval timeouts not both there
  kGetState = -12,    // the port state could not be read
  kSetState = -13,    // the port state could not be written (a rate the system lacks too)
};

// Checks that the driver can do 8 data bits, no parity, one stop bit and
// total timeouts, then sets that line at `baud` with no flow control.
CommPropResult set_comm_prop(Console& con, PortHandle& port, const char* name, std::int32_t baud);

// Reads up to `size` bytes (at least 1) within the total above and returns
// how many came, 0..size (0 when nothing came in time); the buffer is not
// terminated. A timeout of 0 keeps the timeouts set at open; every caller
// passes more. Never returns on failure: a bad argument (no name, no buffer,
// a size below 1), no open port or timeouts the driver refuses, or a failed
// read (a hang-up, an I/O error) goes to read_port_fatal, which ends the
// process.
int read_port(Console& con, PortHandle& port, const char* name, std::uint8_t* buf, int size,
              std::uint32_t timeout_ms);

// The failures of write_port; on success it gives the count.
enum WritePortFailure : int {
  WRITE_PORT_BAD_ARG = -1,  // no name, or a count below 1
  WRITE_PORT_NO_BUFFER = -2,
  WRITE_PORT_FAILED = -3,  // the write failed or was cut short (the message says how much went)
};

// Writes all `count` bytes within the write total. `count` on success, or a
// WritePortFailure: never 0, so a negative result is a failed write.
int write_port(Console& con, PortHandle& port, const char* name, const void* buf, int count);

// Discards what the driver holds in both directions; nothing when no port is
// open.
void purge_port(PortHandle& port);

// The system's text for its last error code, without the line feed that
// ends it (the carriage return of a Windows text stays). The text lives in a
// static 1024-byte buffer that the next call overwrites; the last error code
// stays as it was.
const char* sys_error_text();

// The codes of a fatal read report.
enum ReadFatalCode : int {
  READ_FATAL_SETUP = 25,  // a bad argument, or timeouts the driver refuses
  READ_FATAL_READ = 26,   // the read itself failed (a hang-up, an I/O error)
};

// Writes `text` and "Return code %d, system error code %d\n" to standard
// error. A non-zero code then ends the process through the fatal end (below);
// a code of 0 returns.
void read_port_fatal(Console& con, int code, const char* text);

// What ends the process after a fatal read report: by default a 5-second
// wait, so the operator can read it, then abort. A harness that plays the
// device in-process puts its own in (null restores the default); if it
// returns, the process is aborted all the same.
using ReadFatalEnd = void (*)();
void set_read_fatal_end(ReadFatalEnd end);
