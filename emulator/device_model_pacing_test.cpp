#include <gtest/gtest.h>

#include "support/emu/host_side.h"

namespace {

using std::chrono::microseconds;

TEST(Pacing, ByteTimesAtTheConnectRates) {
  EXPECT_EQ(line_time(9600, 100).count(), 104'166'666);  // 100 x 10 bits / 9600
  EXPECT_EQ(line_time(19200, 44).count(), 22'916'666);   // a 16-byte record line
  EXPECT_EQ(line_time(0, 100).count(), 0);
}

TEST(Pacing, AHundredByteGreetingAt9600TakesItsLineTime) {
  EmuOptions options;
  options.pace = true;
  options.faults = {greeting(GreetingVariant::kCustom, std::string(100, 'g'))};
  HostSide host(options);
  host.open(9600);
  EXPECT_EQ(host.read(1, 20000), "\x05");
  EXPECT_EQ(host.bench.elapsed(), microseconds(401'041));  // power-on at 400 ms, one byte time
  EXPECT_EQ(host.read(100, 20000), std::string(100, 'g'));
  // The greeting starts when the 200 ms wait for SYN has run out.
  EXPECT_EQ(host.bench.elapsed(), microseconds(600'000 + 104'166));
}

TEST(Pacing, TheHostsBytesAndTheTurnaroundCountBeforeTheReply) {
  EmuOptions options;
  options.pace = true;
  options.turnaround = microseconds(500);
  HostSide host(options);
  host.greeting();
  const auto sent = host.bench.elapsed();
  host.write("\x03");
  const std::string want = "\r\nConnected 9600\r\nkTreva> ";
  EXPECT_EQ(host.read(static_cast<int>(want.size()), 1000), want);
  const auto expected = line_time(9600, 1 + want.size()) + microseconds(500);
  EXPECT_NEAR((host.bench.elapsed() - sent).count(),
              std::chrono::duration_cast<microseconds>(expected).count(), 1);
}

TEST(Pacing, WithoutItRepliesAreInstant) {
  HostSide host;
  host.greeting();
  const auto sent = host.bench.elapsed();
  EXPECT_EQ(host.exchange("\r"), "0x6b");  // the prompt's 'k'
  EXPECT_EQ(host.bench.elapsed(), sent);
}

}  // namespace
