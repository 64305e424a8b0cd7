#include "serial/port_rate_table.h"

const std::uint32_t port_rate_table[14] = {110,   300,   600,   1200,  2400,  4800,   9600,
                                           14400, 19200, 38400, 56000, 57600, 115200, 0};

const std::uint32_t* get_baud(Console& con, long baud) {
  if (baud == 0) {
    con.print("get_baud: Error: invalid baud: %ld\n", baud);
    return nullptr;
  }
  for (const std::uint32_t* entry = port_rate_table; *entry != 0; ++entry) {
    if (static_cast<long>(*entry) == baud) return entry;
  }
  return nullptr;
}
