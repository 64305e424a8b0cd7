#pragma once
// The one way the protocol code talks to the port: a link binds the console,
// the link state (its open port, port name and environment) and forwards to
// the serial routines, so that no caller repeats that triple.
//
// The contract of a read: `read(buf, timeout_ms)` asks for buf.size() bytes
// (at least 1) and returns as soon as that many have arrived, or when the
// port's total budget has passed (the line's per-byte term x size + timeout +
// 10 ms), with the count that came, 0 when nothing did. A pause between bytes
// does not end it. A failure of the read itself (a hang-up, an I/O error) is
// fatal: the serial layer reports it on standard error and ends the process
// after 5 seconds, so a read never returns an error.
//
// The contract of a write: all bytes go out within the write budget and the
// count comes back, or the serial layer prints why it failed and a negative
// code comes back; a short write is a failed write. A write never returns 0.

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
