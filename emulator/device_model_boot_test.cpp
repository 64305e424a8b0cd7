#include <gtest/gtest.h>

#include "support/emu/host_side.h"

namespace {

class Upload : public testing::Test {
 protected:
  void SetUp() override {
    host.open(19200);
    ASSERT_EQ(host.read(1024, 100), "");  // the drain: the device is not on yet
    ASSERT_EQ(host.read(1, 20000), "\x05");
    ASSERT_EQ(host.exchange("\x16", 200), "ACK");
  }
  const UploadRecord& got() { return host.bench.model().upload(); }

  HostSide host;
};

TEST_F(Upload, RecordsAreCheckedOneByOneAndTheImageKept) {
  EXPECT_EQ(host.exchange("kTNoDi1.0"), "ACK");
  EXPECT_EQ(host.exchange(":0400000001020304F1\r", 100), "0x12");
  EXPECT_EQ(host.exchange("0400000001020304F2\r", 100), "0x11");
  EXPECT_EQ(host.exchange(":0400000001020304F2\r", 100), "ACK");
  EXPECT_EQ(host.exchange(":00000001FF\r", 100), "ACK");
  EXPECT_TRUE(got().finished);
  ASSERT_EQ(got().lines.size(), 4u);
  EXPECT_EQ(got().lines[1].text, "0400000001020304F2");
  EXPECT_EQ(got().lines[1].reply, Reply{0x11});
  const std::map<std::uint32_t, std::uint8_t> want = {{0, 1}, {1, 2}, {2, 3}, {3, 4}};
  EXPECT_EQ(got().image.bytes(), want);
  // The new firmware starts: its greeting follows the last ACK.
  EXPECT_NE(host.read(1024, 1000).find("kTrevaNodi"), std::string::npos);
}

TEST_F(Upload, AWrongIdentifierIsRefusedAndTheRightOneStillTaken) {
  EXPECT_EQ(host.exchange("kTNoDi2.0"), "NAK");
  EXPECT_FALSE(got().identified);
  EXPECT_EQ(host.exchange("kTNoDi1.0"), "ACK");
  EXPECT_EQ(got().identifier, "kTNoDi1.0");
  EXPECT_TRUE(got().identified);
}

}  // namespace
