#include "device/crc16.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

std::span<const std::uint8_t> bytes_of(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(Crc16, TableEnds) {
  EXPECT_EQ(crc16_table[0], 0x0000);
  EXPECT_EQ(crc16_table[1], 0x1021);
  EXPECT_EQ(crc16_table[2], 0x2042);
  EXPECT_EQ(crc16_table[3], 0x3063);
  EXPECT_EQ(crc16_table[255], 0x1EF0);
}

// The register over the message and two zero bytes is the AUG-CCITT check.
TEST(Crc16, CheckValueAndEmptyRun) {
  std::vector<std::uint8_t> msg = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0, 0};
  EXPECT_EQ(dwn_crc16(CRC16_START, msg), 0xE5CC);
  EXPECT_EQ(dwn_crc16(0x1234, {}), 0x1234);
  msg[9] = 0xE5;
  msg[10] = 0xCC;
  EXPECT_EQ(dwn_crc16(CRC16_START, msg), 0);
  EXPECT_EQ(dwn_crc16(CRC16_START, bytes_of("")), CRC16_START);
}

}  // namespace
