#include "device/crc16.h"

std::uint16_t dwn_crc16(std::uint16_t start, std::span<const std::uint8_t> bytes) {
  std::uint16_t reg = start;
  for (const std::uint8_t b : bytes) {
    const auto shifted = static_cast<std::uint16_t>((reg << 8) | b);
    reg = static_cast<std::uint16_t>(crc16_table[reg >> 8] ^ shifted);
  }
  return reg;
}
