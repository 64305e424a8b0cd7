#include "config/conf_tokens.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(LineCutter, CutsLikeStrtokWithChangingDelimiters) {
  char line[] = "relay # yes";
  LineCutter cut(line);
  char* word = cut.next(CONF_WORD_DELIMS);
  ASSERT_NE(word, nullptr);
  EXPECT_STREQ(word, "relay");
  char* arg = cut.next(CONF_ARG_DELIMS);
  ASSERT_NE(arg, nullptr);
  EXPECT_STREQ(arg, "yes");
  EXPECT_EQ(cut.offset(arg), 8u);
  EXPECT_EQ(cut.next(CONF_ARG_DELIMS), nullptr);
  EXPECT_EQ(cut.next(CONF_ARG_DELIMS), nullptr);
}

TEST(LineCutter, CommentCharactersEndOnlyArgumentTokens) {
  char line[] = ",\tposition,45:00:00#x,dupewin 30;x";
  LineCutter cut(line);
  EXPECT_STREQ(cut.next(CONF_WORD_DELIMS), "position");
  EXPECT_STREQ(cut.next(CONF_WORD_DELIMS), "45:00:00#x");
  EXPECT_STREQ(cut.next(CONF_ARG_DELIMS), "dupewin");
  EXPECT_STREQ(cut.next(CONF_ARG_DELIMS), "30");
  EXPECT_STREQ(cut.next(CONF_ARG_DELIMS), "x");
  EXPECT_EQ(cut.next(CONF_WORD_DELIMS), nullptr);
}

TEST(LineCutter, OnlyDelimitersGiveNoToken) {
  char line[] = " \t,, ";
  LineCutter cut(line);
  EXPECT_EQ(cut.next(CONF_WORD_DELIMS), nullptr);
  char empty[] = "";
  LineCutter none(empty);
  EXPECT_EQ(none.next(CONF_ARG_DELIMS), nullptr);
}

TEST(ConfValues, DecimalReadsLeadingDigitsOnly) {
  EXPECT_EQ(conf_decimal("9600"), 9600);
  EXPECT_EQ(conf_decimal("3.9"), 3);
  EXPECT_EQ(conf_decimal("-5"), -5);
  EXPECT_EQ(conf_decimal("+7x"), 7);
  EXPECT_EQ(conf_decimal("abc"), 0);
  EXPECT_EQ(conf_decimal("0x10"), 0);
  EXPECT_EQ(conf_decimal("017"), 17);
  // Numbers beyond int saturate instead of wrapping into a valid rate.
  EXPECT_EQ(conf_decimal("4294976896"), INT_MAX);
  EXPECT_EQ(conf_decimal("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(conf_decimal("-99999999999999999999999"), INT_MIN);
}

TEST(ConfValues, AutoBaseFollowsThePrefix) {
  EXPECT_EQ(conf_auto_base("0x0f"), 15);
  EXPECT_EQ(conf_auto_base("0X1F"), 31);
  EXPECT_EQ(conf_auto_base("017"), 15);
  EXPECT_EQ(conf_auto_base("15"), 15);
  EXPECT_EQ(conf_auto_base("08"), 0);
  EXPECT_EQ(conf_auto_base("0x"), 0);
  EXPECT_EQ(conf_auto_base("0xg"), 0);
  EXPECT_EQ(conf_auto_base("abc"), 0);
  EXPECT_EQ(conf_auto_base("-0x1"), -1);
  EXPECT_EQ(conf_auto_base("0x100000000f"), INT_MAX);
  EXPECT_EQ(conf_auto_base("-99999999999999999999999"), INT_MIN);
}

TEST(ConfValues, SwitchLooksAtTheFirstCharacter) {
  for (const char* on : {"y", "Yes", "1", "true", "True", "enable", "E"}) {
    EXPECT_EQ(conf_switch(on, false), 1) << on;
    EXPECT_EQ(conf_switch(on, true), 1) << on;
  }
  for (const char* off : {"n", "no", "0", "maybe", "false", "2", "\xe9"}) {
    EXPECT_EQ(conf_switch(off, false), 0) << off;
    EXPECT_EQ(conf_switch(off, true), 0) << off;
  }
  EXPECT_EQ(conf_switch("pass", true), 1);
  EXPECT_EQ(conf_switch("Pass", true), 1);
  EXPECT_EQ(conf_switch("pass", false), 0);
}

}  // namespace
