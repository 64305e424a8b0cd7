#include "device/dwn_download.h"

#include <array>
#include <string>

#include "device/dwn_packet.h"
#include "device/dwn_write.h"

namespace {

constexpr std::uint32_t DRAIN_TIMEOUT_MS = 10;
constexpr std::size_t DRAIN_SIZE = 64;

// Sends a command packet; its length on success.
int send_command(Link& link, std::string_view name, const std::string& size_text) {
  CommandPacket pkt = command_packet(name, size_text);
  return dwn_write_pkt(link, pkt);
}

// Tells the device's command prompt that packets follow.
bool send_command_line(Link& link) {
  if (link.write_text("download\r\n") >= 0) return true;
  link.con().print("\a\aError: wrote Download command, got error on port %s\n", link.port_name);
  return false;
}

// Drops whatever the device answered to the download command line.
void drain_reply(Link& link) {
  std::array<std::uint8_t, DRAIN_SIZE> scratch{};
  link.read(scratch, DRAIN_TIMEOUT_MS);
}

DownloadResult send_configuration(Link& link, std::span<const std::uint8_t> conf) {
  Console& con = link.con();
  int rc = send_command(link, "conf", std::to_string(conf.size()));
  if (rc != static_cast<int>(CMD_PKT_SIZE)) {
    con.print("\a\aError: writing Configuration command failed: %d\n", rc);
    return DownloadResult::kConfCommand;
  }
  rc = dwn_write_file(link, conf);
  if (rc != static_cast<int>(conf.size())) {
    con.print("\a\aError: writing Configuration file failed: %d\n", rc);
    return DownloadResult::kConfData;
  }
  con.print("Downloading Configuration succeeded\n");
  return DownloadResult::kOk;
}

DownloadResult send_rules(Link& link, std::span<const std::uint8_t> rules) {
  Console& con = link.con();
  int rc = send_command(link, "rules", std::to_string(rules.size()));
  if (rc != static_cast<int>(CMD_PKT_SIZE)) {
    con.print("\a\aError: writing Rules command failed: %d\n", rc);
    return DownloadResult::kRulesCommand;
  }
  if (!rules.empty()) {
    rc = dwn_write_file(link, rules);
    if (rc != static_cast<int>(rules.size())) {
      con.print("\a\aError: writing Rules file failed: %d\n", rc);
      return DownloadResult::kRulesData;
    }
  }
  con.print("Downloading Rules succeeded\n");
  return DownloadResult::kOk;
}

}  // namespace

DownloadResult dwn_download(Link& link, std::span<const std::uint8_t> conf_bytes,
                            std::span<const std::uint8_t> rule_bytes) {
  if (!send_command_line(link)) return DownloadResult::kCommandLine;
  drain_reply(link);
  if (const DownloadResult rc = send_configuration(link, conf_bytes); rc != DownloadResult::kOk) {
    return rc;
  }
  if (const DownloadResult rc = send_rules(link, rule_bytes); rc != DownloadResult::kOk) {
    return rc;
  }
  const int rc = send_command(link, "-cestfini-", "");
  if (rc != static_cast<int>(CMD_PKT_SIZE)) {
    link.con().print("\a\aError: error writing finish pkt: %d\n", rc);
    return DownloadResult::kFinish;
  }
  return DownloadResult::kOk;
}
