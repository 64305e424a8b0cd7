#include "serial/port_rate_table.h"

#include <gtest/gtest.h>

namespace {

TEST(GetBaud, ZeroIsACallersMistake) {
  Console con("");
  EXPECT_EQ(get_baud(con, 0), nullptr);
  EXPECT_EQ(con.output(), "get_baud: Error: invalid baud: 0\n");
}

TEST(GetBaud, ARateMissingFromTheTableGivesNoneSilently) {
  Console con("");
  for (long baud : {1234L, -9600L, 250000L, 14399L}) {
    EXPECT_EQ(get_baud(con, baud), nullptr) << baud;
  }
  EXPECT_EQ(con.output(), "");
}

TEST(GetBaud, EveryTableRateGivesItsEntry) {
  Console con("");
  for (long baud : {110L, 300L, 600L, 1200L, 2400L, 4800L, 9600L, 14400L, 19200L, 38400L, 56000L,
                    57600L, 115200L}) {
    const std::uint32_t* entry = get_baud(con, baud);
    ASSERT_NE(entry, nullptr) << baud;
    EXPECT_EQ(*entry, static_cast<std::uint32_t>(baud));
    EXPECT_GE(entry, port_rate_table);
    EXPECT_LT(entry, port_rate_table + 13);
  }
  EXPECT_EQ(con.output(), "");
}

}  // namespace
