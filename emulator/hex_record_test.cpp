#include "hex_record.h"

#include <gtest/gtest.h>

namespace {

struct CheckCase {
  const char* line;
  std::uint8_t reply;
};

TEST(HexRecordCheck, RefusesWithTheByteOfTheFirstFailingCheck) {
  const CheckCase cases[] = {
      {":10010000214601360121470136007EFE09D2190140", BOOT_ACK},
      {":10010000214601360121470136007efe09d2190140", BOOT_ACK},
      {":00000001FF", BOOT_ACK},
      {"", BOOT_NO_START},
      {"10010000214601360121470136007EFE09D2190140", BOOT_NO_START},
      {":10010000214601360121470136007EFE09D2190141", BOOT_BAD_SUM},
      {":1001000021460136012147013600ZEFE09D2190140", BOOT_INVALID},
      {":10010000214601360121470136007EFE09D219014", BOOT_INVALID},  // odd digit count
      {":02000000FE", BOOT_INVALID},  // sums to 0, but two data bytes missing
      {":00000006FA", BOOT_INVALID},  // type 06
      {":000000", BOOT_INVALID},      // shorter than any record
  };
  for (const CheckCase& c : cases) EXPECT_EQ(hex_record_check(c.line), c.reply) << c.line;
}

TEST(HexImage, FollowsSegmentAndLinearAddressRecords) {
  HexImage image;
  for (const char* line : {":02000000FFFF00", ":020000021000EC", ":04FFFE00AABBCCDDF1",
                           ":020000040002F8", ":0100100042AD"}) {
    ASSERT_EQ(hex_record_check(line), BOOT_ACK) << line;
    image.apply(hex_record_bytes(line));
  }
  const std::map<std::uint32_t, std::uint8_t> want = {
      {0x0000, 0xFF},  {0x0001, 0xFF},   // before any address record
      {0x1FFFE, 0xAA}, {0x1FFFF, 0xBB},  // segment 0x1000
      {0x10000, 0xCC}, {0x10001, 0xDD},  // offsets wrap within the segment
      {0x20010, 0x42}};                  // linear 0x0002
  EXPECT_EQ(image.bytes(), want);
}

}  // namespace
