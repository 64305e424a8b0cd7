#include "device/dwn_packet.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes sealed(const CommandPacket& pkt) {
  Bytes bytes(pkt.begin(), pkt.end());
  seal_packet(bytes);
  return bytes;
}

TEST(DwnPacket, WorkedPackets) {
  EXPECT_EQ(sealed(command_packet("conf", "56")),
            (Bytes{0x00, 0x15, 0x63, 0x6F, 0x6E, 0x66, 0x00, 0x00, 0x00, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x35, 0x36, 0x00, 0x00, 0x00, 0xDC, 0x5B}));
  EXPECT_EQ(sealed(command_packet("rules", "0")),
            (Bytes{0x00, 0x15, 0x72, 0x75, 0x6C, 0x65, 0x73, 0x00, 0x00, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x00, 0xE6, 0xAA}));
  EXPECT_EQ(sealed(command_packet("rules", "28")),
            (Bytes{0x00, 0x15, 0x72, 0x75, 0x6C, 0x65, 0x73, 0x00, 0x00, 0x00, 0x00,
                   0x00, 0x00, 0x00, 0x32, 0x38, 0x00, 0x00, 0x00, 0x0B, 0x03}));
  EXPECT_EQ(sealed(command_packet("-cestfini-", "")),
            (Bytes{0x00, 0x15, 0x2D, 0x63, 0x65, 0x73, 0x74, 0x66, 0x69, 0x6E, 0x69,
                   0x2D, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x5D, 0xCF}));
  Bytes data = {0xAA, 0xBB, 0x41, 0xCC, 0xDD};  // stale framing is overwritten
  seal_packet(data);
  EXPECT_EQ(data, (Bytes{0x00, 0x05, 0x41, 0xB6, 0x1C}));
}

// The receiver's check accepts every sealed packet and refuses one flipped bit.
TEST(DwnPacket, ReceiverCheck) {
  Bytes pkt(64);
  for (std::size_t i = 2; i < 62; ++i) pkt[i] = static_cast<std::uint8_t>(i * 37);
  seal_packet(pkt);
  EXPECT_TRUE(packet_crc_ok(pkt));
  for (std::size_t bit = 0; bit < pkt.size() * 8; bit += 13) {
    Bytes bad = pkt;
    bad[bit / 8] ^= static_cast<std::uint8_t>(1U << (bit % 8));
    EXPECT_FALSE(packet_crc_ok(bad)) << bit;
  }
  Bytes short_pkt = {1, 2, 3, 4};
  seal_packet(short_pkt);
  EXPECT_EQ(short_pkt, (Bytes{1, 2, 3, 4}));
}

}  // namespace
