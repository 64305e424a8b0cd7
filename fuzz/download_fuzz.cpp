// The download with the fuzzer as the device, on a link already connected,
// of a configuration record and 0..100 rules (the second byte). Besides the
// run's checks, everything sent after the command line is whole packets
// whose length field and CRC-16 hold, worked out here bit by bit.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/dwn_download.h"
#include "wire_fuzz.h"

namespace {

std::vector<std::uint8_t> pattern(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  return bytes;
}

// Length (big-endian) equal to the packet's size, 5..64 bytes, and the CRC
// register (0x1021, from 0xFFFF, each byte shifted in at the low end) run
// over all of it, CRC bytes included, ends at 0.
bool whole_packet(const std::string& pkt) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned>(pkt[i]) & 0xFFU; };
  if (pkt.size() < 5 || pkt.size() > 64 || (byte(0) << 8 | byte(1)) != pkt.size()) return false;
  unsigned reg = 0xFFFF;
  for (std::size_t i = 0; i < pkt.size(); ++i) {
    for (int bit = 7; bit >= 0; --bit) {
      const bool out = (reg & 0x8000U) != 0;
      reg = ((reg << 1) | ((byte(i) >> bit) & 1U)) & 0xFFFFU;
      if (out) reg ^= 0x1021U;
    }
  }
  return reg == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::vector<std::uint8_t> conf = pattern(56);
  static const std::vector<std::uint8_t> rules = pattern(std::size_t{100} * 28);
  WireRun w(data, size);
  wire_check(w.link.open(w.header.rate) == OpenPortResult::kOk, "the port did not open");
  w.link.connected = 1;
  const std::span<const std::uint8_t> sent_rules =
      std::span(rules).first(static_cast<std::size_t>(w.header.rules) * 28);
  w.run(download_bound_ms(w.header.rate, w.header.rules),
        [&] { dwn_download(w.link, conf, sent_rules); });
  for (std::size_t i = 0; i < w.writes.size(); ++i) {
    wire_check(i == 0 ? w.writes[i] == "download\r\n" : whole_packet(w.writes[i]),
               "sent other than the command line and whole packets");
  }
  return 0;
}
