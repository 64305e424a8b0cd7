#include "emu_dump.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "config/conf_display.h"
#include "config/le_bytes.h"
#include "emu_text.h"
#include "rules/rule_display.h"
#include "rules/rule_tables.h"

namespace {

ConfRec conf_from_bytes(const std::uint8_t* b) {
  ConfRec rec{};
  rec.host_baud = get_le32(b);
  rec.gps_baud = get_le32(b + 4);
  rec.tnc_baud = get_le32(b + 8);
  rec.base_lat = get_le_float(b + 12);
  rec.base_lon = get_le_float(b + 16);
  for (std::size_t i = 0; i < sizeof rec.station_call; ++i) {
    rec.station_call[i] = static_cast<char>(b[20 + i]);
  }
  std::uint16_t* words[] = {&rec.station_ssid,    &rec.wide_max,  &rec.wide_total,
                            &rec.relay,           &rec.nsr,       &rec.have_gps,
                            &rec.dupe_window,     &rec.log_port,  &rec.halt_on_error,
                            &rec.drop_mangled,    &rec.fix_valid, &rec.pass_nonaprs,
                            &rec.implicit_action, &rec.rule_count};
  for (std::size_t i = 0; i < std::size(words); ++i) *words[i] = get_le16(b + 28 + 2 * i);
  return rec;
}

std::string hex_lines(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::size_t at = 0; at < bytes.size(); at += 16) {
    char head[32];
    std::snprintf(head, sizeof head, "  %04zx: ", at);
    text +=
        head + hex_bytes(bytes.subspan(at, std::min<std::size_t>(16, bytes.size() - at))) + "\n";
  }
  return text;
}

std::string conf_part(const std::vector<std::uint8_t>& conf) {
  std::string text =
      "Configuration, " + std::to_string(conf.size()) + " bytes:\n" + hex_lines(conf);
  if (conf.size() != CONF_REC_SIZE) return text + "  (not a 56-byte record)\n";
  Console con("");
  conf_display(con, conf_from_bytes(conf.data()));
  return text + con.output();
}

std::string rule_line(const RuleRec& rec) {
  const RuleArgTexts t = rule_arg_texts(rec);
  char line[160];
  std::snprintf(line, sizeof line, "    %-6s %-9s %02x   %s %s %s %s\n",
                rule_action_name(rule_flags(rec)), rule_kind_name(rule_type(rec)),
                static_cast<unsigned>(rule_flags(rec) & MOD_MASK), t.text[0].data(),
                t.text[1].data(), t.text[2].data(), t.text[3].data());
  return line;
}

std::string rules_part(const std::vector<std::uint8_t>& rules) {
  std::string text = "Rules, " + std::to_string(rules.size()) + " bytes:\n";
  for (std::size_t at = 0; at + RULE_REC_SIZE <= rules.size(); at += RULE_REC_SIZE) {
    RuleRec rec{};
    std::copy_n(rules.begin() + static_cast<std::ptrdiff_t>(at), RULE_REC_SIZE, rec.begin());
    text += "  rule " + std::to_string(at / RULE_REC_SIZE + 1) + ": " + hex_bytes(rec) + "\n";
    text += rule_line(rec);
  }
  if (rules.size() % RULE_REC_SIZE != 0) text += "  (not a whole number of 28-byte records)\n";
  return text;
}

}  // namespace

std::string download_dump(const DownloadRecord& download) {
  std::string text = "Download, " + std::to_string(download.packets.size()) + " packets read, " +
                     (download.finished ? "finished" : "not finished") + "\n";
  text += conf_part(download.conf);
  return text + rules_part(download.rules);
}

std::string upload_dump(const UploadRecord& upload) {
  std::string text = "Firmware upload, identifier '" + visible_text(upload.identifier) + "', " +
                     std::to_string(upload.lines.size()) + " lines read, " +
                     (upload.finished ? "finished" : "not finished") + "\n";
  const auto& bytes = upload.image.bytes();
  text += "Image, " + std::to_string(bytes.size()) + " bytes:";
  std::uint32_t next = 0;
  int in_line = 0;
  for (const auto& [address, value] : bytes) {
    if (in_line == 16 || address != next || in_line == 0) {
      char head[24];
      std::snprintf(head, sizeof head, "\n  %08x:", address);
      text += head;
      in_line = 0;
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", value);
    text += hex;
    next = address + 1;
    ++in_line;
  }
  return text + "\n";
}
