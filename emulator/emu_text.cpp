#include "emu_text.h"

#include <cstdio>

std::string visible_text(std::string_view text) {
  std::string shown;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c < 0x20 || c > 0x7E || c == '\\') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      shown += hex;
    } else {
      shown += ch;
    }
  }
  return shown;
}

std::string reply_text(Reply reply) {
  if (!reply) return "silence";
  if (*reply == 0x06) return "ACK";
  if (*reply == 0x15) return "NAK";
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02x", *reply);
  return hex;
}

std::string hex_bytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (std::uint8_t b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", b);
    if (!text.empty()) text += ' ';
    text += hex;
  }
  return text;
}

std::string log_line(EmuTime t, const std::string& event) {
  char when[32];
  std::snprintf(when, sizeof when, "%11.6f ", static_cast<double>(t.count()) / 1e9);
  return when + event;
}
