#pragma once
// The link to the device: whether a handshake completed, which port, at what
// rate, and the receive buffer that the handshake and the firmware upload
// share. `env` says how ports are opened and what the clocks are: the
// platform's in the utility, a device model's in tests.

#include <cstddef>
#include <cstdint>

#include "serial/port_env.h"
#include "serial/port_handle.h"

constexpr std::size_t RX_BUF_SIZE = 1024;

struct LinkState {
  int connected = 0;
  char port_name[8] = {};
  PortHandle port_handle;
  std::int32_t req_baud = 0;
  std::uint8_t rx_buf[RX_BUF_SIZE + 1] = {};  // room for a terminator
  PortEnv env;
};

// Closes the port and marks the link disconnected.
void link_close(LinkState& link);
