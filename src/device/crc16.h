#pragma once
// The packet CRC: polynomial 0x1021, most significant bit first, no
// reflection, no final XOR. Run from 0xFFFF over a packet whose two CRC bytes
// are zero, it gives the value stored there (CRC-16/AUG-CCITT of the bytes
// before them); run over a whole received packet it ends at 0.

#include <array>
#include <cstdint>
#include <span>

using Crc16Table = std::array<std::uint16_t, 256>;

constexpr Crc16Table make_crc16_table() {
  Crc16Table table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned value = i << 8;
    for (int bit = 0; bit < 8; ++bit) {
      value = (value & 0x8000U) != 0 ? (value << 1) ^ 0x1021U : value << 1;
      value &= 0xFFFFU;
    }
    table[i] = static_cast<std::uint16_t>(value);
  }
  return table;
}

inline constexpr Crc16Table crc16_table = make_crc16_table();

constexpr std::uint16_t CRC16_START = 0xFFFF;

// The register after running over `bytes` from `start`; `start` for none.
std::uint16_t dwn_crc16(std::uint16_t start, std::span<const std::uint8_t> bytes);
