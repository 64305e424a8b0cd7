#include "console/console.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Console, ReadLineKeepsNewlineAndTurnsCrLfIntoLf) {
  Console con("one\r\ntwo\nlast");
  char buf[16];
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "one\n");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "two\n");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "last");
  EXPECT_FALSE(con.read_line(buf, sizeof buf));
}

TEST(Console, LongLineIsCutAndItsRestDropped) {
  Console con(std::string(20, 'a') + "\nnext\n" + std::string(7, 'b') + "\r\n" + "cccccc\r\n" +
              "dddddd\rxx\n" + "e\rf\n");
  char buf[8];
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "aaaaaaa");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "next\n");
  // Exactly full: the line end that did not fit is still consumed.
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "bbbbbbb");
  // A CR LF that the buffer splits is one line end; any other CR stays.
  for (const char* want : {"cccccc\n", "dddddd\r", "e\rf\n"}) {
    ASSERT_TRUE(con.read_line(buf, sizeof buf));
    EXPECT_STREQ(buf, want);
  }
  EXPECT_FALSE(con.read_line(buf, sizeof buf));
}

TEST(Console, PrintFormatsExactly) {
  Console con("");
  con.print("%-10s|%4.1f%%|%c", "ab", 50.0, '\a');
  EXPECT_EQ(con.output(), "ab        |50.0%|\a");
  con.error("Return code %d\n", 26);
  EXPECT_EQ(con.errors(), "Return code 26\n");
}

}  // namespace
