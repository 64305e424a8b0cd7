#pragma once
// A firmware file for uploads: `records` data lines of 16 bytes each, from
// address 0, and the end-of-file record, each line ended by LF.

#include <cstdio>
#include <string>

inline std::string hex_records(unsigned records) {
  std::string hex;
  for (unsigned addr = 0; addr < records * 16; addr += 16) {
    char line[64];
    unsigned sum = 16 + (addr >> 8) + (addr & 0xFF);
    int n = std::snprintf(line, sizeof line, ":10%04X00", addr & 0xFFFF);
    for (unsigned i = 0; i < 16; ++i) {
      const unsigned b = (addr + i * 7) & 0xFF;
      sum += b;
      n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X", b);
    }
    std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "%02X\n",
                  (0x100 - (sum & 0xFF)) & 0xFF);
    hex += line;
  }
  return hex + ":00000001FF\n";
}
