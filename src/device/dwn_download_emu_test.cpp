#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/dev_connect.h"
#include "device/dwn_download.h"
#include "device/dwn_packet.h"
#include "device/dwn_write.h"
#include "support/emu/link_bench.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes pattern(std::size_t n, std::uint8_t seed) {
  Bytes bytes(n);
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

Bytes command(std::string_view name, std::string_view size) {
  const CommandPacket pkt = command_packet(name, size);
  Bytes bytes(pkt.begin(), pkt.end());
  seal_packet(bytes);
  return bytes;
}

Bytes data_packet(const Bytes& data, std::size_t at, std::size_t n) {
  Bytes bytes(n + 4);
  std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at), n, bytes.begin() + 2);
  seal_packet(bytes);
  return bytes;
}

// The exact packets of a clean download of `conf` and `rules`.
std::vector<Bytes> clean_packets(const Bytes& conf, const Bytes& rules) {
  std::vector<Bytes> want = {command("conf", "56"), data_packet(conf, 0, 56),
                             command("rules", std::to_string(rules.size()))};
  for (std::size_t at = 0; at < rules.size(); at += 60) {
    want.push_back(data_packet(rules, at, std::min<std::size_t>(60, rules.size() - at)));
  }
  want.push_back(command("-cestfini-", ""));
  return want;
}

struct Download {
  DownloadResult result;
  std::string output;  // after the connect
  std::vector<Bytes> packets;
};

Download download(const Bytes& conf, const Bytes& rules, EmuOptions options = {}) {
  LinkBench b(std::move(options));
  EXPECT_EQ(dev_connect(b.link, 57600, ConnectMode::kConnect), ConnectResult::kConnected);
  b.con.clear_output();
  Download d{dwn_download(b.link, conf, rules), b.con.output(), {}};
  for (const auto& p : b.bench.model().download().packets) d.packets.push_back(p.bytes);
  if (d.result == DownloadResult::kOk) {
    EXPECT_EQ(b.bench.model().download().conf, conf);
    EXPECT_EQ(b.bench.model().download().rules, rules);
    EXPECT_TRUE(b.bench.model().download().finished);
  }
  return d;
}

constexpr const char* SUCCESS =
    "Downloading Configuration succeeded\nDownloading Rules succeeded\n";

TEST(DwnDownload, ExactPacketsForNoneThreeAndAHundredRules) {
  const Bytes conf = pattern(56, 1);
  for (const std::size_t rules : {0U, 3U, 100U}) {
    const Bytes rule_bytes = pattern(28 * rules, 9);
    const Download d = download(conf, rule_bytes);
    EXPECT_EQ(d.result, DownloadResult::kOk);
    EXPECT_EQ(d.output, SUCCESS);
    EXPECT_EQ(d.packets, clean_packets(conf, rule_bytes)) << rules;
  }
  const Download hundred = download(conf, pattern(2800, 9));
  ASSERT_EQ(hundred.packets.size(), 3U + 47U + 1U);
  EXPECT_EQ(hundred.packets[2], command("rules", "2800"));
  EXPECT_EQ(hundred.packets[49].size(), 44U);
}

TEST(DwnDownload, NaksAreResentUpToFiveTransmissions) {
  const Bytes conf = pattern(56, 1);
  const Download four = download(conf, {}, {.faults = {nak_packet(2, 4)}});
  EXPECT_EQ(four.result, DownloadResult::kOk);
  EXPECT_EQ(four.packets.size(), 4U + 4U);
  const Download five = download(conf, {}, {.faults = {nak_packet(2, 5)}});
  EXPECT_EQ(five.result, DownloadResult::kConfData);
  EXPECT_EQ(five.output,
            "\a\aError: writing data pkt: -6\n"
            "\a\aError: writing Configuration file failed: -3\n");
  EXPECT_EQ(five.packets.size(), 1U + 5U);
}

// A failure at each packet ends the sequence with that step's code.
TEST(DwnDownload, EachStepFails) {
  const Bytes conf = pattern(56, 1);
  const Bytes rules = pattern(84, 9);
  const std::string ok_conf = "Downloading Configuration succeeded\n";
  const std::string ok_rules = "Downloading Rules succeeded\n";
  struct Case {
    int packet;
    Reply reply;
    DownloadResult result;
    std::string output;
  } cases[] = {
      {1, SILENCE, DownloadResult::kConfCommand,
       "\a\aError: reading ack or nak: 0\n\a\aError: writing Configuration command failed: -4\n"},
      {1, 0x00, DownloadResult::kConfCommand,
       "\a\aError: reading ack or nak: got 0x00\n"
       "\a\aError: writing Configuration command failed: -5\n"},
      {2, 0x41, DownloadResult::kConfData,
       "\a\aError: reading ack or nak: got 0x41\n\a\aError: writing data pkt: -5\n"
       "\a\aError: writing Configuration file failed: -3\n"},
      {3, SILENCE, DownloadResult::kRulesCommand,
       ok_conf + "\a\aError: reading ack or nak: 0\n\a\aError: writing Rules command failed: -4\n"},
      {5, 0xFF, DownloadResult::kRulesData,
       ok_conf + "\a\aError: reading ack or nak: got 0xff\n\a\aError: writing data pkt: -5\n"
                 "\a\aError: writing Rules file failed: -3\n"},
      {6, SILENCE, DownloadResult::kFinish,
       ok_conf + ok_rules +
           "\a\aError: reading ack or nak: 0\n\a\aError: error writing finish pkt: -4\n"},
  };
  for (const Case& c : cases) {
    const Download d = download(conf, rules, {.faults = {packet_replies(c.packet, {c.reply})}});
    EXPECT_EQ(d.result, c.result) << c.packet;
    EXPECT_EQ(d.output, c.output) << c.packet;
    EXPECT_EQ(d.packets.size(), static_cast<std::size_t>(c.packet)) << "no resend";
  }
}

TEST(DwnWrite, RefusesBadArgumentsWithoutSending) {
  LinkBench b;
  Link& link = b.link;
  Bytes four(4);
  EXPECT_EQ(dwn_write_pkt(link, four), DWN_PKT_TOO_SHORT);
  EXPECT_EQ(dwn_write_pkt(link, {}), DWN_PKT_NULL);
  EXPECT_EQ(dwn_write_file(link, {}), DWN_FILE_NULL);
  EXPECT_EQ(dwn_write_file(link, std::span(four).first(0)), DWN_FILE_EMPTY);
  EXPECT_EQ(b.con.output(),
            "dwn_write_pkt: argument len < 5\ndwn_write_pkt: argument ptr pp is null\n"
            "dwn_write_file: argument ptr bp is null\ndwn_write_file: argument len < 1\n");
  EXPECT_EQ(four, Bytes(4));
}

}  // namespace
