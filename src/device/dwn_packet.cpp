#include "device/dwn_packet.h"

#include <algorithm>

#include "device/crc16.h"

namespace {

void put_text(CommandPacket& pkt, std::size_t at, std::size_t field, std::string_view text) {
  const std::size_t n = std::min(field, text.size());
  std::copy_n(text.begin(), n, pkt.begin() + static_cast<std::ptrdiff_t>(at));
}

void put_be16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value >> 8);
  out[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

CommandPacket command_packet(std::string_view name, std::string_view size_text) {
  CommandPacket pkt{};
  put_text(pkt, CMD_NAME_AT, CMD_NAME_SIZE, name);
  put_text(pkt, CMD_SIZE_AT, CMD_SIZE_SIZE, size_text);
  return pkt;
}

void seal_packet(std::span<std::uint8_t> pkt) {
  const std::size_t len = pkt.size();
  if (len < PKT_MIN_SIZE) return;
  put_be16(pkt, 0, static_cast<std::uint16_t>(len));
  put_be16(pkt, len - 2, 0);
  put_be16(pkt, len - 2, dwn_crc16(CRC16_START, pkt));
}

bool packet_crc_ok(std::span<const std::uint8_t> pkt) { return dwn_crc16(CRC16_START, pkt) == 0; }
