#include "console/console.h"

#include <gtest/gtest.h>

#include <string>

#include "console/text_file.h"

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
  Console con(std::string(20, 'a') + "\nnext\n" + std::string(7, 'b') + "\r\n");
  char buf[8];
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "aaaaaaa");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "next\n");
  // Exactly full: the line end that did not fit is still consumed.
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "bbbbbbb");
  EXPECT_FALSE(con.read_line(buf, sizeof buf));
}

TEST(Console, PrintFormatsExactly) {
  Console con("");
  con.print("%-10s|%4.1f%%|%c", "ab", 50.0, '\a');
  EXPECT_EQ(con.output(), "ab        |50.0%|\a");
  con.error("Return code %d\n", 26);
  EXPECT_EQ(con.errors(), "Return code 26\n");
}

TEST(TextFile, PiecesOfLongLinesAndCrLf) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  std::fputs("abcdefghij\r\nxy\r\n", f);
  std::rewind(f);
  char buf[6];
  std::string pieces;
  while (read_piece(f, buf, sizeof buf) == PieceResult::kPiece) pieces += std::string(buf) + "|";
  EXPECT_EQ(pieces, "abcde|fghij|\n|xy\n|");
  std::fclose(f);
}

}  // namespace
