#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/dev_connect.h"
#include "device/hexdump.h"
#include "device/link.h"
#include "support/emu/link_bench.h"

namespace {

std::string dump_of(const std::string& bytes) {
  return hexdump_text(1, "Got", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                      static_cast<int>(bytes.size()), 10);
}

TEST(DevConnect, EveryRateThenDisconnectAndAgain) {
  for (const long rate : {4800L, 9600L, 19200L, 38400L, 57600L}) {
    LinkBench b;
    for (int session = 1; session <= 2; ++session) {
      b.con.clear_output();
      ASSERT_EQ(dev_connect(b.link, static_cast<std::int32_t>(rate), ConnectMode::kConnect),
                ConnectResult::kConnected);
      EXPECT_EQ(b.con.output(), power_on_text(rate) + format_text("\nConnected at %ld\n", rate));
      EXPECT_EQ(b.link.connected, 1);
      EXPECT_EQ(b.bench.model().session(), session);
      b.link.close();
    }
  }
}

TEST(DevConnect, AlreadyConnectedDoesNothing) {
  LinkBench b;
  ASSERT_EQ(dev_connect(b.link, 9600, ConnectMode::kConnect), ConnectResult::kConnected);
  b.con.clear_output();
  EXPECT_EQ(dev_connect(b.link, 9600, ConnectMode::kConnect), ConnectResult::kAlreadyConnected);
  EXPECT_EQ(b.con.output(), "Connecting at 9600...\n\a\aError: already Connected!\n");
  EXPECT_EQ(b.bench.model().session(), 1);
}

EmuOptions never_powered() {
  EmuOptions options;
  options.power_on = std::chrono::milliseconds(-1);
  return options;
}

// NUL and 0xFF bytes become '#' before the search; a short greeting is
// complete when the 20 seconds are up.
TEST(DevConnect, GreetingsThatPass) {
  for (const GreetingVariant variant : {GreetingVariant::kNulAndFf, GreetingVariant::kShort}) {
    LinkBench b({.faults = {greeting(variant)}});
    EXPECT_EQ(dev_connect(b.link, 9600, ConnectMode::kConnect), ConnectResult::kConnected);
    EXPECT_EQ(b.link.connected, 1);
  }
}

// Each failure leaves the port released, so connect can be given again.
TEST(DevConnect, GreetingFailures) {
  const std::string no_name = std::string("hello\0there\xff\x80\r\n", 15) + "Version 2.2b\r\n";
  const std::string exactly_100 = "kTrevaNodi Version 2.2b\r\n" + std::string(74, '.');
  const std::string no_prompt =
      "\n\a\aError: did not receive the kTrevaNodi prompt!\nExpected: kTrevaNodi\n";
  struct Case {
    EmuOptions options;
    ConnectResult result;
    std::string after_power_on;
  } cases[] = {
      {{.faults = {greeting(GreetingVariant::kCustom, no_name)}},
       ConnectResult::kNoProduct,
       no_prompt + dump_of("\x05hello#there##\r\nVersion 2.2b\r\n")},
      // On and never power-cycled: nothing at all within the 20 seconds.
      {never_powered(), ConnectResult::kNoProduct, no_prompt + "Got: length 0 (0x0):\n"},
      {{.faults = {greeting(GreetingVariant::kOtherVersion)}},
       ConnectResult::kWrongVersion,
       "\n\a\aError: did not receive the correct kTrevaNodi version (Version 2.2b)!\n"},
      {{.faults = {greeting(GreetingVariant::kVersionFirst)}},
       ConnectResult::kWrongVersion,
       "\n\a\aError: did not receive the correct kTrevaNodi version (Version 2.2b)!\n"},
      // A greeting of exactly the 100 bytes read, so that the reply read
      // holds only the reply.
      {{.faults = {greeting(GreetingVariant::kCustom, exactly_100), connected_rate(19200)}},
       ConnectResult::kRateNotConfirmed,
       "\n\a\aError: did not receive the kTrevaNodi Connected string!\nExpected Connected 9600\n" +
           dump_of("\r\nConnected 19200\r\nkTreva> ")},
  };
  for (const Case& c : cases) {
    LinkBench b(c.options);
    EXPECT_EQ(dev_connect(b.link, 9600, ConnectMode::kConnect), c.result);
    EXPECT_EQ(b.con.output(), power_on_text(9600) + c.after_power_on) << static_cast<int>(c.result);
    EXPECT_EQ(b.link.connected, 0);
    EXPECT_FALSE(b.link.port_handle.is_open());
  }
}

TEST(DevConnect, BaudChange) {
  LinkBench b;
  ASSERT_EQ(dev_connect(b.link, 9600, ConnectMode::kConnect), ConnectResult::kConnected);
  const std::size_t before = b.bench.model().received().size();
  b.con.clear_output();
  EXPECT_EQ(dev_connect(b.link, 19200, ConnectMode::kBaudChange), ConnectResult::kConnected);
  EXPECT_EQ(b.con.output(), "Connecting at 19200...\nConnected at 19200\n");
  EXPECT_EQ(b.bench.model().received().size(), before + 1);
  EXPECT_EQ(b.bench.model().received().back(), 0x0D);
  EXPECT_EQ(b.link.connected, 1);
}

TEST(DevConnect, BaudChangeWithoutPromptClosesTheLink) {
  LinkBench b({.faults = {no_prompt_after_host()}});
  ASSERT_EQ(dev_connect(b.link, 9600, ConnectMode::kConnect), ConnectResult::kConnected);
  b.link.write_text("host 19200\r");
  b.con.clear_output();
  EXPECT_EQ(dev_connect(b.link, 19200, ConnectMode::kBaudChange), ConnectResult::kNoPrompt);
  EXPECT_EQ(b.con.output(),
            "Connecting at 19200...\n\a\aError: did not receive the kTrevaNodi prompt!\n");
  EXPECT_EQ(b.link.connected, 0);
  EXPECT_FALSE(b.link.port_handle.is_open());
}

TEST(DevConnect, LineThatNeverGoesQuiet) {
  std::chrono::milliseconds clock{0};
  Console con("");
  Link link(con);
  std::strcpy(link.port_name, "COM4");
  chatter_on(link, clock);
  EXPECT_EQ(dev_connect(link, 9600, ConnectMode::kConnect), ConnectResult::kNeverQuiet);
  EXPECT_EQ(con.output(),
            "Connecting at 9600...\n\a\aError: the line on port COM4 never went quiet: is this "
            "the kTrevaNodi's port?\n");
  EXPECT_FALSE(link.port_handle.is_open());
  EXPECT_GE(clock, std::chrono::milliseconds(2000));
  EXPECT_LT(clock, std::chrono::milliseconds(2100));
}

}  // namespace
