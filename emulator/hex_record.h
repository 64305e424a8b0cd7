#pragma once
// The boot loader's view of one record line (as received, without its CR)
// and of the image the accepted lines describe.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

constexpr std::uint8_t BOOT_ACK = 0x06;
constexpr std::uint8_t BOOT_NO_START = 0x11;
constexpr std::uint8_t BOOT_BAD_SUM = 0x12;
constexpr std::uint8_t BOOT_INVALID = 0x15;

constexpr std::uint8_t HEX_DATA = 0x00;
constexpr std::uint8_t HEX_EOF = 0x01;
constexpr std::uint8_t HEX_SEGMENT = 0x02;
constexpr std::uint8_t HEX_LINEAR = 0x04;

// The boot loader's answer to a line, checked in this order: ':' first (else
// 0x11); hex digits only, an even count, at least 5 bytes (else 0x15); the
// bytes sum to 0 (else 0x12); exactly 11 + 2n characters and a type 00..05
// (else 0x15); otherwise ACK.
std::uint8_t hex_record_check(const std::string& line);

// The bytes of a line that passed the check: length, address, type, data, sum.
std::vector<std::uint8_t> hex_record_bytes(const std::string& line);

// Address -> byte, built from accepted lines in order. Extended segment
// address records (02) set a base of segment x 16 within which offsets wrap
// at 64 KiB; extended linear address records (04) set the upper 16 bits.
class HexImage {
 public:
  // Applies an accepted record; returns its type.
  std::uint8_t apply(const std::vector<std::uint8_t>& record);
  const std::map<std::uint32_t, std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::map<std::uint32_t, std::uint8_t> bytes_;
  std::uint32_t base_ = 0;
  bool segmented_ = false;
};
