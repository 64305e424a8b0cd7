#include <gtest/gtest.h>

#include "greeting.h"
#include "support/emu/host_side.h"

namespace {

// What the host saw, as one line per exchange joined by '|'.
using Script = std::string (*)(HostSide&);

std::string say(HostSide& h, std::string_view bytes) {
  h.write(bytes);
  const std::string got = h.read(1024, 1000);
  return h.failed ? "EIO" : visible_text(got);
}

// Power-on output, the attention, a host rate, a bare CR.
std::string connect_script(HostSide& h) {
  std::string power_on = h.greeting();
  std::string seen;
  if (!power_on.empty() && power_on[0] == '\x05') {
    seen = "ENQ ";
    power_on.erase(0, 1);
  }
  seen +=
      power_on == greeting_text(GreetingVariant::kStandard) ? "greeting" : visible_text(power_on);
  if (h.failed) return seen + "|EIO";
  for (const char* bytes : {"\x03", "host 19200\r", "\r"}) seen.append("|").append(say(h, bytes));
  return seen;
}

// Each packet until it is acknowledged, five transmissions at most.
std::string download_script(HostSide& h) {
  h.greeting();
  say(h, "\x03");
  h.write("download\r\n");
  std::string seen;
  for (const std::string& payload : {std::string("conf\0\0\0\0\0\0\0\0"
                                                 "56\0\0\0",
                                                 17),
                                     std::string(56, 'c'),
                                     std::string("rules\0\0\0\0\0\0\0"
                                                 "0\0\0\0\0",
                                                 17)}) {
    seen += seen.empty() ? "" : "|";
    std::string reply = "NAK";
    for (int tx = 0; tx < 5 && reply == "NAK"; ++tx) {
      reply = h.exchange(make_packet(payload));
      seen += (tx == 0 ? "" : ",") + reply;
    }
    if (reply != "ACK") break;
  }
  return seen;
}

// Prompt, sync, identifier, then three records, each resent until it is
// acknowledged or refused for good, at most ten refusals in all.
std::string upload_script(HostSide& h) {
  h.open(19200);
  const std::string prompt = h.read(1, 20000);
  std::string seen = prompt.empty() ? "silence" : reply_text(static_cast<std::uint8_t>(prompt[0]));
  for (const char* step : {"\x16", "kTNoDi1.0"}) {
    seen.append("|").append(h.exchange(step, 5000));
    if (seen.substr(seen.size() - 3) != "ACK") return seen;
  }
  int errors = 0;
  for (const char* line : {":0400000001020304F2\r", ":0400040005060708DE\r", ":00000001FF\r"}) {
    std::string reply;
    for (seen += "|"; errors < 10; seen += ",") {
      reply = h.exchange(line, 100);
      seen += reply;
      if (reply == "ACK" || reply == "EIO" || reply == "0x17" || reply == "0x18") break;
      ++errors;
    }
    if (reply != "ACK") break;
  }
  return seen;
}

struct FaultCase {
  const char* name;
  std::vector<Fault> faults;
  Script script;
  const char* want;
};

const char* const CONNECTED = "\\r\\nConnected 9600\\r\\nkTreva> ";

TEST(Faults, EachDoesWhatItSays) {
  const std::string ok = std::string("ENQ greeting|") + CONNECTED + "|kTreva> |kTreva> ";
  const FaultCase cases[] = {
      {"none", {}, connect_script, ok.c_str()},
      {"no ENQ", {no_enq()}, connect_script, ok.c_str() + 4},
      {"short greeting",
       {greeting(GreetingVariant::kShort)},
       connect_script,
       "ENQ \\r\\nkTrevaNodi Version 2.2b\\r\\n|\\r\\nConnected 9600\\r\\nkTreva> |kTreva> "
       "|kTreva> "},
      {"silent",
       {greeting(GreetingVariant::kSilent)},
       connect_script,
       "ENQ |\\r\\nConnected 9600\\r\\nkTreva> |kTreva> |kTreva> "},
      {"connected rate",
       {connected_rate(19200)},
       connect_script,
       "ENQ greeting|\\r\\nConnected 19200\\r\\nkTreva> |kTreva> |kTreva> "},
      {"no prompt",
       {no_prompt_after_host()},
       connect_script,
       "ENQ greeting|\\r\\nConnected 9600\\r\\nkTreva> ||"},
      {"hang-up after greeting",
       {hang_up(HangUpAt::kAfterGreeting)},
       connect_script,
       "ENQ greeting|EIO"},
      {"hang-up at attention",
       {hang_up(HangUpAt::kAtAttention)},
       connect_script,
       "ENQ greeting|EIO|EIO|EIO"},
      {"other session only", {in_session(no_enq(), 2)}, connect_script, ok.c_str()},

      {"download", {}, download_script, "ACK|ACK|ACK"},
      {"NAK 4 times", {nak_packet(2, 4)}, download_script, "ACK|NAK,NAK,NAK,NAK,ACK|ACK"},
      {"NAK 5 times", {nak_packet(2, 5)}, download_script, "ACK|NAK,NAK,NAK,NAK,NAK"},
      {"other byte", {packet_replies(3, {0x00})}, download_script, "ACK|ACK|0x00"},
      {"silent packet",
       {packet_replies(1, {Reply{0x15}, SILENCE})},
       download_script,
       "NAK,silence"},
      {"hang-up at packet", {hang_up(HangUpAt::kAtPacket, 2)}, download_script, "ACK|EIO"},

      {"upload", {}, upload_script, "0x05|ACK|ACK|ACK|ACK|ACK"},
      {"no ENQ upload", {no_enq()}, upload_script, "0x0d|0x0a"},
      {"sync NAK", {sync_replies({0x15})}, upload_script, "0x05|NAK"},
      {"sync silent", {sync_replies({SILENCE})}, upload_script, "0x05|silence"},
      {"identifier other byte", {ident_replies({0x00})}, upload_script, "0x05|ACK|0x00"},
      {"record replies",
       {record_replies(2, {SILENCE, 0x11, 0x12, 0x15, 0x42, 0x06})},
       upload_script,
       "0x05|ACK|ACK|ACK|silence,0x11,0x12,NAK,0x42,ACK|ACK"},
      {"buffer full", {record_replies(1, {0x17})}, upload_script, "0x05|ACK|ACK|0x17"},
      {"fatal", {record_replies(3, {0x18})}, upload_script, "0x05|ACK|ACK|ACK|ACK|0x18"},
      {"hang-up at sync", {hang_up(HangUpAt::kAtSync)}, upload_script, "0x05|EIO"},
      {"hang-up at identifier", {hang_up(HangUpAt::kAtIdent)}, upload_script, "0x05|ACK|EIO"},
      {"hang-up at record",
       {hang_up(HangUpAt::kAtRecord, 3)},
       upload_script,
       "0x05|ACK|ACK|ACK|ACK|EIO"},
  };
  for (const FaultCase& c : cases) {
    HostSide host({.faults = c.faults});
    EXPECT_EQ(c.script(host), c.want) << c.name;
  }
}

TEST(Faults, AfterAHangUpTheNextSessionIsServed) {
  HostSide host({.faults = {in_session(hang_up(HangUpAt::kAtAttention), 1)}});
  EXPECT_EQ(connect_script(host), "ENQ greeting|EIO|EIO|EIO");
  host.link.close_port();
  EXPECT_EQ(connect_script(host), std::string("ENQ greeting|") + CONNECTED + "|kTreva> |kTreva> ");
  EXPECT_EQ(host.bench.model().session(), 2);
}

TEST(Faults, ADeviceNobodyPowersOnStaysSilentUntilPowered) {
  EmuOptions options;
  options.power_on = std::chrono::milliseconds(-1);
  HostSide host(options);
  EXPECT_EQ(host.greeting(), "");
  EXPECT_EQ(host.read(100, 20000), "");
  host.bench.power();
  EXPECT_EQ(host.read(1, 1000), "\x05");
}

}  // namespace
