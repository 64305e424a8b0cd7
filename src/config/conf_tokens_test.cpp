#include "config/conf_tokens.h"

#include <gtest/gtest.h>

#include "text/token_scanner.h"

namespace {

TEST(ConfTokens, CommentCharactersEndOnlyArgumentTokens) {
  char line[] = ",\tposition,45:00:00#x,dupewin 30;x";
  TokenScanner cut(line);
  EXPECT_STREQ(cut.next(WORD_SEPARATORS), "position");
  EXPECT_STREQ(cut.next(WORD_SEPARATORS), "45:00:00#x");
  EXPECT_STREQ(cut.next(CONF_ARG_DELIMS), "dupewin");
  EXPECT_STREQ(cut.next(CONF_ARG_DELIMS), "30");
  EXPECT_STREQ(cut.next(CONF_ARG_DELIMS), "x");
  EXPECT_EQ(cut.next(WORD_SEPARATORS), nullptr);
}

TEST(ConfTokens, SwitchLooksAtTheFirstCharacter) {
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
