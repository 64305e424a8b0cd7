#include "device/hexdump.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

const std::string HEADER =
    "Dec  Hex |  0  1  2  3  4  5  6  7    8  9  a  b  c  d  e  f | 0123456789abcdef\n";

std::vector<std::uint8_t> counting(int n) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(n));
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0x41});
  return bytes;
}

TEST(Hexdump, TitleLines) {
  const std::uint8_t b[1] = {0};
  const std::string addr = format_text("%p", static_cast<const void*>(b));
  struct Case {
    int flags;
    const char* title;
    std::string want;
  } cases[] = {
      {1, "Got", "Got: length 0 (0x0):\n"},
      {1, "", "length 0 (0x0):\n"},
      {1, nullptr, "hexdump: length 0 (0x0):\n"},
      {3, "Got", "Got: length 0 (0x0):\n"},
      {2, "Got", "length 0 (0x0):\n"},
      {6, nullptr, "length 0 (0x0):\n"},
      {4, "Got", ""},
      {0, "Got", "hexdump: Got: buffer addr 0x" + addr + ", length 0 (0x0):\n"},
      {0, nullptr, "hexdump: buffer addr 0x" + addr + ", length 0 (0x0):\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hexdump_text(c.flags, c.title, b, 0, 10), c.want) << c.flags;
  }
  EXPECT_EQ(hexdump_text(1, "Got", nullptr, 3, 10), "hexdump: invalid param buf ptr\n");
  EXPECT_EQ(hexdump_text(1, "Got", b, -1, 10), "hexdump: invalid param len -1\n");
}

TEST(Hexdump, FullAndPartialLines) {
  std::vector<std::uint8_t> bytes = counting(17);
  bytes[1] = 0x20;
  bytes[2] = 0x7F;
  bytes[3] = 0x80;
  bytes[4] = 0x00;
  const std::string want =
      "Got: length 17 (0x11):\n" + HEADER +
      "   0 0000| 41 20 7f 80 00 46 47 48   49 4a 4b 4c 4d 4e 4f 50 | A ...FGHIJKLMNOP\n"
      "  16 0010| 51                                                | Q\n";
  EXPECT_EQ(hexdump_text(1, "Got", bytes.data(), 17, 10), want);
  EXPECT_EQ(hexdump_text(1, "Got", bytes.data(), 16, 0),
            "Got: length 16 (0x10):\n" + want.substr(23 + HEADER.size(), 80));
}

// The header comes back before every group-th line, a blank line above it.
TEST(Hexdump, HeaderRepeatsByGroup) {
  for (int n : {161, 176}) {
    const std::vector<std::uint8_t> bytes = counting(n);
    const std::string text = hexdump_text(1, "Got", bytes.data(), n, 10);
    const std::size_t second = text.rfind("\n" + HEADER);
    ASSERT_NE(second, std::string::npos);
    const std::size_t title_end = text.find('\n') + 1;
    EXPECT_EQ(text.substr(title_end, HEADER.size() + 11), HEADER + "   0 0000| ");
    EXPECT_EQ(text.substr(second - 80, 92 + HEADER.size()),
              text.substr(second - 80, 80) + "\n" + HEADER + " 160 00a0| ");
    EXPECT_EQ(text.find(HEADER, title_end + 1), second + 1);
  }
  const std::vector<std::uint8_t> bytes = counting(48);
  const std::string text = hexdump_text(2, "Got", bytes.data(), 48, 1);
  EXPECT_EQ(text, "length 48 (0x30):\n" + HEADER + text.substr(18 + HEADER.size(), 80) + "\n" +
                      HEADER + text.substr(18 + 2 * HEADER.size() + 81, 80) + "\n" + HEADER +
                      text.substr(18 + 3 * HEADER.size() + 162, 80));
}

}  // namespace
