#pragma once
// Cuts the download receiver's byte stream into packets by their 2-byte
// big-endian length field, and checks each packet's CRC. A packet that
// checks is handed over at once. Anything else (a length outside 5..64, a
// CRC that fails, a packet cut short) makes the rest of the burst garbage:
// bytes are collected until the line has been quiet for the
// resynchronisation gap, and the whole is handed over as one garbled frame,
// which the receiver answers with a single NAK. So a corrupted length field
// costs one NAK, not one for every piece the bytes after it fall into, and
// the host's resend after that NAK starts on a clean frame.

#include <cstdint>
#include <optional>
#include <vector>

#include "emu_time.h"

constexpr int PACKET_MIN = 5;
constexpr int PACKET_MAX = 64;

class PacketFramer {
 public:
  explicit PacketFramer(EmuTime gap) : gap_(gap) {}

  // Takes one byte that arrived at `at`; true when it completed a packet
  // whose CRC checks, which `take` then hands over.
  bool feed(EmuTime at, std::uint8_t byte);
  // When the frame under way is given up, if one is.
  std::optional<EmuTime> give_up_at() const;
  // The bytes of the completed packet or of the frame given up; starts anew.
  std::vector<std::uint8_t> take();
  void reset();

 private:
  EmuTime gap_;
  EmuTime last_{0};
  std::vector<std::uint8_t> buf_;
  bool garbage_ = false;
};

// The length field of a frame that has one, else 0.
int packet_length(const std::vector<std::uint8_t>& frame);
// A whole packet (the length field counts every byte) whose CRC checks.
bool packet_checks(const std::vector<std::uint8_t>& frame);
