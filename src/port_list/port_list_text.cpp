#include "port_list/port_list_text.h"

#include <cstddef>
#include <vector>

#include "console/console.h"
#include "port_list/port_obstacles.h"
#include "serial/port_names.h"

namespace {

// U+202A..U+202E and U+2066..U+2069 (E2 80 AA..AE, E2 81 A6..A9): they
// reorder the text that follows, so that a name could show as another.
bool bidi_control(unsigned char second, unsigned char third) {
  return (second == 0x80 && third >= 0xAA && third <= 0xAE) ||
         (second == 0x81 && third >= 0xA6 && third <= 0xA9);
}

// The length of the printable UTF-8 character at text[i] (two to four
// bytes), or 0 where there is none: a bad sequence, a C1 control, which
// some terminals obey as they obey an escape, or a bidirectional control.
std::size_t utf8_length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t n = 0;
  if (lead >= 0xC2 && lead <= 0xDF) n = 2;
  if (lead >= 0xE0 && lead <= 0xEF) n = 3;
  if (lead >= 0xF0 && lead <= 0xF4) n = 4;
  if (n == 0 || i + n > text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  if (lead == 0xC2 && byte(i + 1) < 0xA0) return 0;   // U+0080..U+009F
  if (lead == 0xE0 && byte(i + 1) < 0xA0) return 0;   // overlong
  if (lead == 0xED && byte(i + 1) >= 0xA0) return 0;  // surrogates
  if (lead == 0xF0 && byte(i + 1) < 0x90) return 0;   // overlong
  if (lead == 0xF4 && byte(i + 1) >= 0x90) return 0;  // beyond U+10FFFF
  if (lead == 0xE2 && bidi_control(byte(i + 1), byte(i + 2))) return 0;
  return n;
}

// The text as printable_text writes it; in quotes a quote or backslash of
// the text is escaped as well, so that the quotes show where it ends.
std::string escaped(std::string_view text, bool in_quotes) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (in_quotes && (c == '\\' || c == '"')) {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t n = utf8_length(text, i); n != 0) {
      out.append(text.substr(i, n));
      i += n;
    } else {
      out += format_text("\\x%02x", c);
      ++i;
    }
  }
  return out;
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out += escaped(text, true);
  out += '"';
  return out;
}

// What the port is, as the parts after its name.
std::vector<std::string> port_parts(const ListedPort& p) {
  std::vector<std::string> parts;
  if (!p.description.empty()) parts.push_back(quoted(p.description));
  if (!p.driver.empty()) parts.push_back(printable_text(p.driver));
  if (!p.uart.empty()) parts.push_back(printable_text(p.uart) + " UART");
  if (p.usb) parts.push_back(format_text("USB %04x:%04x", p.vendor_id, p.product_id));
  if (!p.manufacturer.empty()) parts.push_back(quoted(p.manufacturer));
  if (!p.product.empty()) parts.push_back(quoted(p.product));
  if (!p.serial.empty()) parts.push_back("serial " + quoted(p.serial));
  if (!p.hardware_id.empty()) parts.push_back(printable_text(p.hardware_id));
  if (!p.kernel_device.empty()) parts.push_back(printable_text(p.kernel_device));
  if (!p.by_id.empty()) parts.push_back(printable_text(p.by_id));
  return parts;
}

// How the port is named where it is used: COM1..COM10 by themselves, a
// higher COM number and a device path through --com.
std::string port_use(const ListedPort& p, PortNaming naming, int number) {
  const std::string name = printable_text(p.name);
  if (naming == PortNaming::kComNumber) {
    if (parse_port_number(p.name, PortText::kName) != 0) return name;
    return format_text("%s (--com N=\\\\.\\%s)", name.c_str(), name.c_str());
  }
  const std::string n = number >= 1 && number <= PORT_NAMES_MAX ? std::to_string(number) : "N";
  return format_text("%s (--com %s=%s)", name.c_str(), n.c_str(), name.c_str());
}

std::string closing_line(const PortListing& listing) {
  if (listing.ports.empty()) return "No serial ports found.\n";
  if (listing.naming == PortNaming::kComNumber) {
    return "To use a port, type connect N at the Command> prompt for COMN.\n";
  }
  bool by_id = false;
  for (const ListedPort& p : listing.ports) by_id = by_id || !p.by_id.empty();
  return format_text(
      "To use a port, start ktreva-host with its --com N=PATH%s and type connect N at the "
      "Command> prompt.\n",
      by_id ? " (a /dev/serial/by-id path survives a replug)" : "");
}

}  // namespace

std::string printable_text(std::string_view text) { return escaped(text, false); }

std::string port_details(const ListedPort& port) {
  std::string text;
  const std::vector<std::string> parts = port_parts(port);
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? ": " : ", ") + parts[i];
  return text;
}

std::string port_line(const ListedPort& port, PortNaming naming, int number) {
  std::string line = port_use(port, naming, number) + port_details(port) + "\n";
  for (const std::string& note : obstacle_notes(port)) line += "  " + note + "\n";
  return line;
}

std::string port_list_text(const PortListing& listing) {
  std::string text;
  int number = 0;
  for (const ListedPort& p : listing.ports) text += port_line(p, listing.naming, ++number);
  return text + closing_line(listing);
}
