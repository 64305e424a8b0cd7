#include "packet_framer.h"

#include <utility>

#include "device/crc16.h"

namespace {

constexpr std::size_t GARBAGE_KEPT = 1024;

}  // namespace

int packet_length(const std::vector<std::uint8_t>& frame) {
  if (frame.size() < 2) return 0;
  return (frame[0] << 8) | frame[1];
}

bool packet_checks(const std::vector<std::uint8_t>& frame) {
  return frame.size() >= PACKET_MIN && packet_length(frame) == static_cast<int>(frame.size()) &&
         dwn_crc16(CRC16_START, frame) == 0;
}

bool PacketFramer::feed(EmuTime at, std::uint8_t byte) {
  last_ = at;
  // A stream of garbage is kept only so far; the line's quiet still ends it.
  if (garbage_ && buf_.size() >= GARBAGE_KEPT) return false;
  buf_.push_back(byte);
  if (garbage_) return false;
  const int len = packet_length(buf_);
  if (buf_.size() == 2 && (len < PACKET_MIN || len > PACKET_MAX)) {
    garbage_ = true;
    return false;
  }
  if (buf_.size() < 2 || static_cast<int>(buf_.size()) != len) return false;
  garbage_ = !packet_checks(buf_);
  return !garbage_;
}

std::optional<EmuTime> PacketFramer::give_up_at() const {
  if (buf_.empty()) return std::nullopt;
  return last_ + gap_;
}

std::vector<std::uint8_t> PacketFramer::take() {
  std::vector<std::uint8_t> frame = std::move(buf_);
  reset();
  return frame;
}

void PacketFramer::reset() {
  buf_.clear();
  garbage_ = false;
}
