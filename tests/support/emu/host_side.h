#pragma once
// The host's side of the tests: the serial routines on a link whose
// environment is an EmuBench, and the exchanges the host programs make,
// written out plainly so the tests read as protocol transcripts.

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "device/crc16.h"
#include "device/link.h"
#include "emu_bench.h"
#include "emu_text.h"

class HostSide {
 public:
  explicit HostSide(EmuOptions options = {}) : bench(std::move(options)) {
    link.env = bench.env();
    std::strcpy(link.port_name, "COM1");
  }

  OpenPortResult open(int baud = 9600) { return link.open(baud); }

  // Up to `size` bytes within the port's budget for `timeout_ms`.
  std::string read(int size, std::uint32_t timeout_ms) {
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(size));
    int got = 0;
    PortDevice* device = link.port_handle.device();
    device->set_timeouts(read_timeouts(link.port_handle.port_timeouts,
                                       link.port_handle.port_dcb.baud_rate, timeout_ms));
    failed = !device->read(buf.data(), size, got) && errno == EIO;
    return {buf.begin(), buf.begin() + got};
  }

  void write(std::string_view bytes) {
    int written = 0;
    failed =
        !link.port_handle.device()->write(bytes.data(), static_cast<int>(bytes.size()), written);
  }

  // One byte reply to `bytes`, as text for the transcripts: "ACK", "NAK", "0x11",
  // "silence" after 5 s, or "EIO" once the device has hung up.
  std::string exchange(std::string_view bytes, std::uint32_t timeout_ms = 5000) {
    write(bytes);
    if (failed) return "EIO";
    const std::string got = read(1, timeout_ms);
    if (failed) return "EIO";
    return reply_text(got.empty() ? Reply{} : Reply{static_cast<std::uint8_t>(got[0])});
  }

  // Power-on output (ENQ and greeting), as the connect reads it after the open.
  std::string greeting(int baud = 9600) {
    open(baud);
    return read(1024, 1000);
  }

  EmuBench bench;
  Console con{""};
  Link link{con};
  bool failed = false;
};

// A packet around `payload`: length and CRC filled in.
inline std::string make_packet(std::string_view payload) {
  std::string p(2, '\0');
  p += payload;
  p += std::string(2, '\0');
  p[0] = static_cast<char>(p.size() >> 8);
  p[1] = static_cast<char>(p.size() & 0xFF);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(p.data());
  const std::uint16_t crc = dwn_crc16(CRC16_START, {bytes, p.size()});
  p[p.size() - 2] = static_cast<char>(crc >> 8);
  p[p.size() - 1] = static_cast<char>(crc & 0xFF);
  return p;
}

inline std::string bytes_of(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}
