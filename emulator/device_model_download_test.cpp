#include <gtest/gtest.h>

#include "support/emu/host_side.h"

namespace {

const std::string CONF_CMD = bytes_of(
    {0x00, 0x15, 0x63, 0x6F, 0x6E, 0x66, 0, 0, 0, 0, 0, 0, 0, 0, 0x35, 0x36, 0, 0, 0, 0xDC, 0x5B});
const std::string RULES_NONE = bytes_of(
    {0x00, 0x15, 0x72, 0x75, 0x6C, 0x65, 0x73, 0, 0, 0, 0, 0, 0, 0, 0x30, 0, 0, 0, 0, 0xE6, 0xAA});
const std::string RULES_ONE = bytes_of({0x00, 0x15, 0x72, 0x75, 0x6C, 0x65, 0x73, 0, 0,    0,   0,
                                        0,    0,    0,    0x32, 0x38, 0,    0,    0, 0x0B, 0x03});
const std::string FINISH =
    bytes_of({0x00, 0x15, 0x2D, 0x63, 0x65, 0x73, 0x74, 0x66, 0x69, 0x6E, 0x69,
              0x2D, 0,    0,    0,    0,    0,    0,    0,    0x5D, 0xCF});

class Download : public testing::Test {
 protected:
  void SetUp() override {
    host.greeting();
    host.write("\x03");
    host.read(1024, 100);
    host.write("download\r\n");
    host.read(64, 10);
  }

  HostSide host;
  const DownloadRecord& got() { return host.bench.model().download(); }
};

TEST_F(Download, TheWorkedPacketsAreAcceptedAndDecoded) {
  const std::string conf(56, 'c');
  const std::string rule(28, 'r');
  for (const std::string& packet : {CONF_CMD, make_packet(conf), RULES_ONE, make_packet(rule)}) {
    EXPECT_EQ(host.exchange(packet), "ACK");
  }
  EXPECT_EQ(host.bench.model().mode(), DeviceMode::kDownload);
  EXPECT_EQ(host.exchange(FINISH), "ACK");
  EXPECT_EQ(host.bench.model().mode(), DeviceMode::kApplication);
  EXPECT_EQ(got().conf_size, 56);
  EXPECT_EQ(std::string(got().conf.begin(), got().conf.end()), conf);
  EXPECT_EQ(got().rules_size, 28);
  EXPECT_EQ(std::string(got().rules.begin(), got().rules.end()), rule);
  EXPECT_TRUE(got().finished);
  EXPECT_EQ(got().unexpected, 0);
  ASSERT_EQ(got().packets.size(), 5u);
  EXPECT_EQ(std::string(got().packets[2].bytes.begin(), got().packets[2].bytes.end()), RULES_ONE);
}

TEST_F(Download, NoRulesAndADataPacketNobodyAnnounced) {
  EXPECT_EQ(host.exchange(RULES_NONE), "ACK");
  EXPECT_EQ(host.exchange(bytes_of({0x00, 0x05, 0x41, 0xB6, 0x1C})), "ACK");
  EXPECT_EQ(host.exchange(FINISH), "ACK");
  EXPECT_EQ(got().rules_size, 0);
  EXPECT_TRUE(got().rules.empty());
  EXPECT_EQ(got().unexpected, 1);
  EXPECT_TRUE(got().finished);
}

TEST_F(Download, EveryFlippedBitIsNakedAndTheResendAccepted) {
  for (std::size_t bit = 0; bit < CONF_CMD.size() * 8; ++bit) {
    std::string bad = CONF_CMD;
    bad[bit / 8] = static_cast<char>(bad[bit / 8] ^ (1 << (bit % 8)));
    // One NAK for the whole burst, whatever the flipped length field made of it.
    EXPECT_EQ(host.exchange(bad), "NAK") << "bit " << bit;
    EXPECT_EQ(host.read(1, 1000), "") << "bit " << bit;
    EXPECT_EQ(got().packets.back().bytes.size(), CONF_CMD.size());
  }
  EXPECT_EQ(got().conf_size, -1);
  EXPECT_EQ(host.exchange(CONF_CMD), "ACK");
  EXPECT_EQ(got().conf_size, 56);
}

TEST_F(Download, GarbageIsNakedOnceTheLineIsQuietAndThePacketsAfterItRead) {
  EXPECT_EQ(host.exchange("\xFF\xFFgarbage"), "NAK");
  EXPECT_EQ(host.exchange(CONF_CMD.substr(0, 10)), "NAK");  // cut short
  EXPECT_EQ(host.read(1, 1000), "");                        // one reply for each
  EXPECT_EQ(host.exchange(CONF_CMD), "ACK");
  ASSERT_EQ(got().packets.size(), 3u);
  EXPECT_EQ(got().packets[0].bytes.size(), 9u);
  EXPECT_EQ(got().packets[1].bytes.size(), 10u);
}

}  // namespace
