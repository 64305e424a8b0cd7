#include "usb_latency.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/emu/host_side.h"

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

EmuTime ms(double v) { return EmuTime{static_cast<std::int64_t>(v * 1'000'000)}; }

TEST(UsbLatency, APacketGoesWhenItsTimerRunsOutOrItIsFull) {
  const struct {
    const char* what;
    std::vector<double> arrivals;  // ms
    std::vector<double> at;        // ms, as each admit answers
    std::vector<std::size_t> earlier;
  } cases[] = {
      {"a lone reply waits out the timer", {5}, {21}, {0}},
      {"bytes within the timer go together", {5, 6, 20.9}, {21, 21, 21}, {0, 0, 0}},
      {"a byte after the timer opens a new packet", {5, 21, 22}, {21, 37, 37}, {0, 0, 0}},
  };
  for (const auto& c : cases) {
    UsbLatency usb(milliseconds(16));
    for (std::size_t i = 0; i < c.arrivals.size(); ++i) {
      const UsbDelivery d = usb.admit(ms(c.arrivals[i]));
      EXPECT_EQ(d.at, ms(c.at[i])) << c.what << " " << i;
      EXPECT_EQ(d.earlier, c.earlier[i]) << c.what << " " << i;
    }
  }
}

TEST(UsbLatency, TheSixtySecondByteTakesThePacketAlong) {
  UsbLatency usb(milliseconds(16));
  for (std::size_t i = 0; i + 1 < USB_PACKET_BYTES; ++i) {
    EXPECT_EQ(usb.admit(ms(0.1 * static_cast<double>(i))).at, ms(16));
  }
  const UsbDelivery full = usb.admit(ms(6.1));
  EXPECT_EQ(full.at, ms(6.1));
  EXPECT_EQ(full.earlier, USB_PACKET_BYTES - 1);
  EXPECT_EQ(usb.admit(ms(6.2)).at, ms(22.2));  // the next packet's first byte
  usb.reset();
  EXPECT_EQ(usb.admit(ms(7)).at, ms(23));
}

TEST(UsbLatency, WithoutATimerBytesGoAsTheyCome) {
  UsbLatency usb;
  EXPECT_EQ(usb.admit(ms(5)).at, ms(5));
  EXPECT_EQ(usb.admit(ms(5)).earlier, 0u);
}

// In the device model, on its virtual clock: a 100-byte greeting sent at
// once (no pacing) reaches the host as a full packet and then the rest.
TEST(UsbLatency, TheDeviceModelHoldsItsOutputBack) {
  EmuOptions options;
  options.usb_latency = milliseconds(16);
  options.faults = {greeting(GreetingVariant::kCustom, std::string(100, 'g'))};
  HostSide host(options);
  host.open(9600);
  EXPECT_EQ(host.read(1, 20000), "\x05");
  EXPECT_EQ(host.bench.elapsed(), microseconds(416'000));  // power-on at 400 ms
  EXPECT_EQ(host.read(62, 20000), std::string(62, 'g'));
  EXPECT_EQ(host.bench.elapsed(), microseconds(600'000));  // the 200 ms wait for SYN ran out
  EXPECT_EQ(host.read(38, 20000), std::string(38, 'g'));
  EXPECT_EQ(host.bench.elapsed(), microseconds(616'000));
}

// The cost the benchmark measures: every one-byte reply waits the timer out.
TEST(UsbLatency, AnAcknowledgementComesOneTimerLate) {
  for (const int latency : {0, 1, 16}) {
    EmuOptions options;
    options.pace = true;
    options.usb_latency = milliseconds(latency);
    HostSide host(options);
    host.open(19200);
    EXPECT_EQ(host.read(1, 20000), "\x05") << latency;
    const auto sent = host.bench.elapsed();
    EXPECT_EQ(host.exchange("\x16"), "ACK") << latency;
    const auto two_bytes = std::chrono::duration_cast<microseconds>(line_time(19200, 2));
    EXPECT_NEAR((host.bench.elapsed() - sent).count(), (two_bytes + milliseconds(latency)).count(),
                1)
        << latency;
  }
}

}  // namespace
