#pragma once
// The one way the protocol code talks to the port: a link binds the console,
// the link state (its open port, port name and environment) and forwards to
// the serial routines, so that no caller repeats that triple. Reads, writes
// and opens give what those routines give (serial/serial.h): a read the
// count that came, never a failure; a write the count or a negative code,
// never 0.

#include <cstdint>
#include <span>
#include <string_view>

#include "console/console.h"
#include "device/link_state.h"

class Link {
 public:
  Link(Console& con, LinkState& state) : con_(con), state_(state) {}

  // open_port on the state's port name through the environment's opener.
  int open(std::int32_t baud);
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
  void close() { link_close(state_); }

  PortEnv::Clock::time_point now() const { return state_.env.now(); }
  std::int64_t wall_seconds() const { return state_.env.wall_seconds(); }

  Console& con() const { return con_; }
  LinkState& state() const { return state_; }
  const char* port_name() const { return state_.port_name; }
  std::span<std::uint8_t> rx_buf() const { return {state_.rx_buf, RX_BUF_SIZE}; }

 private:
  Console& con_;
  LinkState& state_;
};
