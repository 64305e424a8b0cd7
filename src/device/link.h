#pragma once
// The link to the device, one for the whole run: whether a handshake
// completed, which port at what rate, the receive buffer that the handshake
// and the firmware upload share, and the port environment (the --com table,
// the trace, the clocks: the platform's in the utility, a device model's in
// tests). The shell owns it; connect, baud, download and firmware take it,
// and it is the one way the protocol code talks to the port. Reads, writes
// and opens give what the serial routines give (serial/serial.h): a read the
// count that came, never a failure; a write the count or a negative code,
// never 0.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "console/console.h"
#include "serial/port_env.h"
#include "serial/port_handle.h"
#include "serial/serial.h"

constexpr std::size_t RX_BUF_SIZE = 1024;

class Link {
 public:
  explicit Link(Console& con) : con_(con) {}
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // open_port on the port name through the environment.
  OpenPortResult open(std::int32_t baud);
  // read_port of buf.size() bytes (at least 1).
  int read(std::span<std::uint8_t> buf, std::uint32_t timeout_ms);
  int write(std::span<const std::uint8_t> bytes);
  int write_text(std::string_view text);
  void purge();
  // Reads into `scratch` until a read of `timeout_ms` stays quiet, dropping
  // what came. False, after a message naming the port, when the line is
  // still busy after about 2 seconds: a line that never goes quiet (the
  // wrong port, a GPS, noise) must not hang the utility.
  bool drain(std::span<std::uint8_t> scratch, std::uint32_t timeout_ms);
  // Closes the port only; `connected` stays as it is.
  void close_port();
  // Closes the port and marks the link disconnected.
  void close();

  PortEnv::Clock::time_point now() const { return env.now(); }
  std::int64_t wall_seconds() const { return env.wall_seconds(); }

  Console& con() const { return con_; }
  std::span<std::uint8_t> rx() { return {rx_buf, RX_BUF_SIZE}; }

  int connected = 0;
  char port_name[8] = {};
  PortHandle port_handle;
  std::int32_t req_baud = 0;
  std::uint8_t rx_buf[RX_BUF_SIZE + 1] = {};  // room for a terminator
  PortEnv env;

 private:
  Console& con_;
};
