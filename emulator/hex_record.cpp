#include "hex_record.h"

#include <cstddef>

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool all_hex(const std::string& line) {
  for (std::size_t i = 1; i < line.size(); ++i) {
    if (hex_digit(line[i]) < 0) return false;
  }
  return true;
}

constexpr std::size_t HEADER_BYTES = 5;  // length, address (2), type, checksum

}  // namespace

std::vector<std::uint8_t> hex_record_bytes(const std::string& line) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 1; i + 1 < line.size(); i += 2) {
    bytes.push_back(static_cast<std::uint8_t>(hex_digit(line[i]) * 16 + hex_digit(line[i + 1])));
  }
  return bytes;
}

std::uint8_t hex_record_check(const std::string& line) {
  if (line.empty() || line[0] != ':') return BOOT_NO_START;
  if (!all_hex(line) || line.size() % 2 == 0 || line.size() < 1 + 2 * HEADER_BYTES) {
    return BOOT_INVALID;
  }
  const std::vector<std::uint8_t> bytes = hex_record_bytes(line);
  std::uint8_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint8_t>(sum + b);
  if (sum != 0) return BOOT_BAD_SUM;
  if (bytes.size() != HEADER_BYTES + bytes[0] || bytes[3] > 0x05) return BOOT_INVALID;
  return BOOT_ACK;
}

std::uint8_t HexImage::apply(const std::vector<std::uint8_t>& record) {
  const std::uint32_t offset = (record[1] << 8) | record[2];
  const std::uint8_t type = record[3];
  const std::size_t n = record[0];
  const std::uint32_t value = n >= 2 ? (record[4] << 8) | record[5] : 0;
  if (type == HEX_DATA) {
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint32_t at = offset + static_cast<std::uint32_t>(i);
      bytes_[base_ + (segmented_ ? at & 0xFFFF : at)] = record[4 + i];
    }
  } else if (type == HEX_SEGMENT) {
    base_ = value << 4;
    segmented_ = true;
  } else if (type == HEX_LINEAR) {
    base_ = value << 16;
    segmented_ = false;
  }
  return type;
}
