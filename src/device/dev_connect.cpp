#include "device/dev_connect.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "device/hexdump.h"
#include "device/link.h"
#include "device/protocol_bytes.h"
#include "device/version.h"

namespace {

constexpr std::size_t SCRATCH_SIZE = 40;
constexpr std::uint32_t DRAIN_TIMEOUT_MS = 100;
constexpr long POWER_ON_SECONDS = 20;
constexpr int GREETING_SIZE = 100;
constexpr std::uint32_t GREETING_TIMEOUT_MS = 20000;
constexpr std::uint32_t REPLY_TIMEOUT_MS = 2000;
constexpr std::uint32_t PROMPT_TIMEOUT_MS = 20000;
constexpr std::uint8_t ATTENTION = PROTO_ETX;
constexpr std::uint8_t WAKE_UP = PROTO_CR;
constexpr std::string_view DEVICE_PROMPT = "kTreva> ";
constexpr int DUMP_FLAGS = 1;
constexpr int DUMP_GROUP = 10;

bool contains(std::span<const std::uint8_t> bytes, std::string_view text) {
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// The greeting as one text: NUL and bytes above 0x7F become '#'.
int read_greeting(Link& link) {
  const std::span<std::uint8_t> rx = link.rx();
  const int n = link.read(rx.first(GREETING_SIZE), GREETING_TIMEOUT_MS);
  for (int i = 0; i < n; ++i) {
    std::uint8_t& b = rx[static_cast<std::size_t>(i)];
    if (b == 0x00 || b > 0x7F) b = '#';
  }
  link.rx_buf[n] = '\0';
  return n;
}

// kConnected when the greeting names the product and, after it, this version.
ConnectResult check_greeting(Link& link, int n) {
  Console& con = link.con();
  const char* text = reinterpret_cast<const char*>(link.rx_buf);
  const char* product = std::strstr(text, KTREVA_PRODUCT);
  if (product == nullptr) {
    con.print("\n\a\aError: did not receive the kTrevaNodi prompt!\nExpected: %s\n",
              KTREVA_PRODUCT);
    hexdump(con, DUMP_FLAGS, "Got", link.rx_buf, n, DUMP_GROUP);
    return ConnectResult::kNoProduct;
  }
  if (std::strstr(product, KTREVA_VERSION) == nullptr) {
    con.print("\n\a\aError: did not receive the correct kTrevaNodi version (%s)!\n",
              KTREVA_VERSION);
    return ConnectResult::kWrongVersion;
  }
  return ConnectResult::kConnected;
}

// Sends the attention byte and waits for the device to confirm the rate.
ConnectResult confirm_rate(Link& link, std::int32_t rate) {
  Console& con = link.con();
  if (link.write(std::array{ATTENTION}) < 0) {
    con.print("\n\a\aError: wrote <ctrl>-c attention character, got error on port %s\n",
              link.port_name);
    return ConnectResult::kAttention;
  }
  const int m = link.read(link.rx(), REPLY_TIMEOUT_MS);
  const std::string expected = format_text("Connected %ld", static_cast<long>(rate));
  if (!contains(link.rx().first(static_cast<std::size_t>(m)), expected)) {
    con.print("\n\a\aError: did not receive the kTrevaNodi Connected string!\nExpected %s\n",
              expected.c_str());
    hexdump(con, DUMP_FLAGS, "Got", link.rx_buf, m, DUMP_GROUP);
    return ConnectResult::kRateNotConfirmed;
  }
  return ConnectResult::kConnected;
}

ConnectResult handshake(Link& link, std::int32_t rate) {
  Console& con = link.con();
  std::array<std::uint8_t, SCRATCH_SIZE> scratch{};
  if (!link.drain(scratch, DRAIN_TIMEOUT_MS)) return ConnectResult::kNeverQuiet;
  link.purge();
  con.print(
      "\a\aTURN ON the kTrevaNodi or CYCLE THE POWER if it is already on.\n"
      "You have %ld seconds to do this...",
      POWER_ON_SECONDS);
  const int n = read_greeting(link);
  if (const ConnectResult rc = check_greeting(link, n); rc != ConnectResult::kConnected) {
    return rc;
  }
  return confirm_rate(link, rate);
}

ConnectResult connect_mode(Link& link, std::int32_t rate) {
  Console& con = link.con();
  if (link.connected == 1) {
    con.print("\a\aError: already Connected!\n");
    return ConnectResult::kAlreadyConnected;
  }
  if (link.open(rate) != OpenPortResult::kOk) {
    con.print("\a\aError: could not open COM port %s\n", link.port_name);
    return ConnectResult::kCannotOpen;
  }
  if (const ConnectResult rc = handshake(link, rate); rc != ConnectResult::kConnected) {
    link.close_port();
    return rc;
  }
  con.print("\nConnected at %ld\n", static_cast<long>(rate));
  link.connected = 1;
  return ConnectResult::kConnected;
}

ConnectResult baud_change_mode(Link& link, std::int32_t rate) {
  Console& con = link.con();
  if (link.write(std::array{WAKE_UP}) < 0) {
    con.print("\a\aError: wrote CR character, got error on port %s\n", link.port_name);
    link.close();
    return ConnectResult::kWakeUp;
  }
  const int m = link.read(link.rx(), PROMPT_TIMEOUT_MS);
  if (!contains(link.rx().first(static_cast<std::size_t>(m)), DEVICE_PROMPT)) {
    con.print("\a\aError: did not receive the kTrevaNodi prompt!\n");
    link.close();
    return ConnectResult::kNoPrompt;
  }
  con.print("Connected at %ld\n", static_cast<long>(rate));
  link.connected = 1;
  return ConnectResult::kConnected;
}

}  // namespace

ConnectResult dev_connect(Link& link, std::int32_t rate, ConnectMode mode) {
  link.con().print("Connecting at %ld...\n", static_cast<long>(rate));
  return mode == ConnectMode::kConnect ? connect_mode(link, rate) : baud_change_mode(link, rate);
}
