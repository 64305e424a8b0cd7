#include "download_record.h"

#include <cstddef>

namespace {

constexpr std::size_t NAME_AT = 2;
constexpr std::size_t NAME_LEN = 12;
constexpr std::size_t SIZE_AT = 14;
constexpr std::size_t SIZE_LEN = 5;

// A zero-filled text field: the characters before its first zero byte.
std::string field_text(const std::vector<std::uint8_t>& packet, std::size_t at, std::size_t len) {
  std::string text;
  for (std::size_t i = at; i < at + len && packet[i] != 0; ++i) {
    text += static_cast<char>(packet[i]);
  }
  return text;
}

// Decimal digits only; -1 for anything else.
int size_value(const std::string& text) {
  if (text.empty() || text.size() > SIZE_LEN) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string DownloadRecord::accept(const std::vector<std::uint8_t>& packet) {
  if (remaining_ <= 0) return accept_command(packet);
  const int payload = static_cast<int>(packet.size()) - 4;
  std::vector<std::uint8_t>& target = into_rules_ ? rules : conf;
  target.insert(target.end(), packet.begin() + 2, packet.end() - 2);
  remaining_ -= payload;
  if (remaining_ >= 0) return "data " + std::to_string(payload);
  ++unexpected;
  remaining_ = 0;
  return "data " + std::to_string(payload) + ", more than announced";
}

std::string DownloadRecord::accept_command(const std::vector<std::uint8_t>& packet) {
  if (packet.size() != CMD_PACKET_LEN) {
    ++unexpected;
    return "unexpected data";
  }
  const std::string name = field_text(packet, NAME_AT, NAME_LEN);
  const std::string size_text = field_text(packet, SIZE_AT, SIZE_LEN);
  const int size = size_value(size_text);
  if (name == "-cestfini-") {
    finished = true;
    return "finish";
  }
  if ((name != "conf" && name != "rules") || size < 0) {
    ++unexpected;
    return "unknown command '" + name + "' size '" + size_text + "'";
  }
  into_rules_ = name == "rules";
  (name == "conf" ? conf_size : rules_size) = size;
  remaining_ = size;
  return name + " " + std::to_string(size);
}
