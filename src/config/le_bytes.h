#pragma once
// Little-endian writers and readers for the device records. The records are
// wire formats, so every field is placed byte by byte, never by copying a
// struct; floats go as their IEEE 754 bit pattern.

#include <bit>
#include <cstddef>
#include <cstdint>

inline void put_le16(std::uint8_t* at, std::uint16_t v) {
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void put_le32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline void put_le_float(std::uint8_t* at, float v) {
  put_le32(at, std::bit_cast<std::uint32_t>(v));
}

inline std::uint16_t get_le16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

inline std::uint32_t get_le32(const std::uint8_t* at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | at[i];
  return v;
}

inline float get_le_float(const std::uint8_t* at) { return std::bit_cast<float>(get_le32(at)); }
