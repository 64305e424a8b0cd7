#include "device/hexdump.h"

#include <algorithm>

namespace {

constexpr int BYTES_PER_LINE = 16;
constexpr const char* COLUMN_HEADER =
    "Dec  Hex |  0  1  2  3  4  5  6  7    8  9  a  b  c  d  e  f | 0123456789abcdef\n";

std::string title_line(int flags, const char* title, const std::uint8_t* buf, int length) {
  const bool titled = title != nullptr;
  const char* sep = titled && title[0] != '\0' ? ": " : "";
  if (flags == 0) {
    if (titled) {
      return format_text("hexdump: %s%sbuffer addr 0x%p, length %d (0x%x):\n", title, sep,
                         static_cast<const void*>(buf), length, static_cast<unsigned>(length));
    }
    return format_text("hexdump: buffer addr 0x%p, length %d (0x%x):\n",
                       static_cast<const void*>(buf), length, static_cast<unsigned>(length));
  }
  if ((flags & 1) != 0) {
    if (titled) {
      return format_text("%s%slength %d (0x%x):\n", title, sep, length,
                         static_cast<unsigned>(length));
    }
    return format_text("hexdump: length %d (0x%x):\n", length, static_cast<unsigned>(length));
  }
  if ((flags & 2) != 0)
    return format_text("length %d (0x%x):\n", length, static_cast<unsigned>(length));
  return {};
}

// One dump line: offsets, the hex area padded to column 61, the characters.
std::string dump_line(const std::uint8_t* bytes, int offset, int count) {
  std::string line = format_text("%4d %04x| ", offset, static_cast<unsigned>(offset));
  for (int j = 0; j < count; ++j) {
    if (j == 8) line += "  ";
    line += format_text("%02x ", bytes[j]);
  }
  line.resize(61, ' ');
  line += "| ";
  for (int j = 0; j < count; ++j) {
    const std::uint8_t b = bytes[j];
    line += b >= 0x20 && b <= 0x7E ? static_cast<char>(b) : '.';
  }
  line += '\n';
  return line;
}

}  // namespace

std::string hexdump_text(int flags, const char* title, const std::uint8_t* buf, int length,
                         int group) {
  if (buf == nullptr) return "hexdump: invalid param buf ptr\n";
  if (length < 0) return format_text("hexdump: invalid param len %d\n", length);
  std::string text = title_line(flags, title, buf, length);
  for (int k = 0, offset = 0; offset < length; ++k, offset += BYTES_PER_LINE) {
    if (group != 0 && k % group == 0) {
      if (k != 0) text += '\n';
      text += COLUMN_HEADER;
    }
    text += dump_line(buf + offset, offset, std::min(BYTES_PER_LINE, length - offset));
  }
  return text;
}

void hexdump(Console& con, int flags, const char* title, const std::uint8_t* buf, int length,
             int group) {
  con.put(hexdump_text(flags, title, buf, length, group));
}
