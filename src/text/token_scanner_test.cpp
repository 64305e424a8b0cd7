#include "text/token_scanner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(TokenScanner, CutsLikeStrtokWithPerCallSets) {
  char line[] = "drop circle 10, 39 30,\t-104 30 # home";
  TokenScanner scan(line);
  EXPECT_STREQ(scan.next(" \t,"), "drop");
  EXPECT_STREQ(scan.next(" \t,"), "circle");
  EXPECT_STREQ(scan.next(" \t,"), "10");
  // Only the one separator after "10" was overwritten: the blank after the
  // comma belongs to the angle text.
  EXPECT_STREQ(scan.next("\t,"), " 39 30");
  EXPECT_STREQ(scan.next("#/;\t,"), "-104 30 ");
  EXPECT_STREQ(scan.next("#/; \t,"), "home");
  EXPECT_EQ(scan.next(" \t,"), nullptr);
  EXPECT_EQ(scan.next(" \t,"), nullptr);
}

TEST(TokenScanner, TokenPositionsStayInTheLine) {
  char line[] = "  ab,,cd";
  TokenScanner scan(line);
  char* ab = scan.next(",");
  EXPECT_EQ(ab, line);  // blanks are not separators of this set
  EXPECT_STREQ(ab, "  ab");
  char* cd = scan.next(",");
  EXPECT_EQ(cd, line + 6);
  EXPECT_EQ(line[4], '\0');
  EXPECT_EQ(line[5], ',');  // skipped, not overwritten
}

TEST(TokenScanner, OnlySeparatorsOrNothingGiveNull) {
  char empty[] = "";
  TokenScanner a(empty);
  EXPECT_EQ(a.next(" "), nullptr);
  char blanks[] = " \t, ";
  TokenScanner b(blanks);
  EXPECT_EQ(b.next(" \t,"), nullptr);
  char last[] = "word";
  TokenScanner c(last);
  EXPECT_STREQ(c.next(" "), "word");
  EXPECT_EQ(c.next(" "), nullptr);
}

}  // namespace
