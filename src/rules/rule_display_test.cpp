#include "rules/rule_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

RuleRec call_rule(std::uint8_t kind, std::uint8_t flags, const char* call, std::uint8_t ssid) {
  RuleRec rec{};
  rule_put_call(rec, call);
  rule_put_ssid(rec, ssid);
  rule_put_header(rec, kind, flags, 1);
  return rec;
}

RuleRec real_rule(std::uint8_t kind, std::uint8_t flags, float a, float b, float c, float d) {
  RuleRec rec{};
  rule_put_real(rec, RULE_SLOT1, a);
  rule_put_real(rec, RULE_SLOT2, b);
  rule_put_real(rec, RULE_SLOT3, c);
  rule_put_real(rec, RULE_SLOT4, d);
  rule_put_header(rec, kind, flags, 1);
  return rec;
}

RuleRec compass_rule(std::uint8_t dir, float lat, float lon) {
  RuleRec rec = real_rule(RULE_COMPASS, ACT_PASS, 0, lat, lon, 0);
  rule_put_dir(rec, dir);
  return rec;
}

std::string display(const RuleState& rules, std::uint16_t count, std::uint16_t implicit) {
  ConfRec conf = conf_default_rec;
  conf.rule_count = count;
  conf.implicit_action = implicit;
  Console con("");
  rules_display(con, rules, conf);
  return con.output();
}

TEST(RulesDisplay, EveryKindAndModifier) {
  RuleState rules;
  rules.rule_table = {
      call_rule(RULE_DESTIN, ACT_DROP | MOD_WILD | MOD_ANY, "", 0),
      call_rule(RULE_DESTIN, ACT_PASS | MOD_WILD, "AB", 0),
      call_rule(RULE_SOURCE, ACT_PASS | MOD_SSID, "ab", 5),
      call_rule(RULE_SOURCE, ACT_DROP | MOD_SSID, "abcdef", 15),
      call_rule(RULE_SOURCE, ACT_PASS, "N0CALL", 0),
      call_rule(RULE_DESTIN, ACT_DROP | MOD_SSID, "", 3),
      real_rule(RULE_CIRCLE, ACT_DROP, 10.0f, 39.1f, -104.5f, 0),
      compass_rule(3, 45.25f, 7.75f),
      real_rule(RULE_RECTANGLE, ACT_PASS, 40.0f, -105.25f, 39.5f, -104.0f),
      real_rule(RULE_SECTOR, ACT_DROP, 90.0f, 180.0f, 2.5f, 0),
  };
  EXPECT_EQ(display(rules, 10, IMPLICIT_DROP),
            "Rule count 10 plus Implicit\n"
            "\nAction Command   Mods Arguments\n"
            "Drop   Implicit \n"
            "Drop   destin    30   *   \n"
            "Pass   destin    10   AB    *   \n"
            "Pass   source    40   ab    -5   \n"
            "Drop   source    40   abcdef-15   \n"
            "Pass   source    00   N0CALL   \n"
            "Drop   destin    40         -3   \n"
            "Drop   circle    00   10.000 mi R, 39.099998  D Lat, -104.50000  D Lon \n"
            "Pass   compass   00   E  Dir, 45.250000  D Lat, 7.75000     D Lon \n"
            "Pass   rectangle 00   40.000000  D Lat1, -105.25000  D Lon1, 39.500000  D Lat2, "
            "-104.00000  D Lon2\n"
            "Drop   sector    00   90.000 D Ang1, 180.000 D Ang2, 2.500 In R, 0.000 Out R\n");
}

TEST(RulesDisplay, NoRulesLineEvenWithRecordsLeftInTheTable) {
  RuleState rules;
  rules.rule_table[0] = call_rule(RULE_SOURCE, ACT_PASS, "ab", 0);
  EXPECT_EQ(display(rules, 0, IMPLICIT_PASS),
            "No Rules are configured!  Implicit Rule Action is Pass\n");
  EXPECT_EQ(display(rules, 0, IMPLICIT_DROP),
            "No Rules are configured!  Implicit Rule Action is Drop\n");
}

TEST(RulesDisplay, ShowsOnlyTheCountedRecords) {
  RuleState rules;
  rules.rule_table[0] = call_rule(RULE_SOURCE, ACT_PASS, "ab", 0);
  rules.rule_table[1] = call_rule(RULE_SOURCE, ACT_PASS, "cd", 0);
  EXPECT_EQ(display(rules, 1, IMPLICIT_PASS),
            "Rule count 1 plus Implicit\n"
            "\nAction Command   Mods Arguments\n"
            "Pass   Implicit \n"
            "Pass   source    00   ab       \n");
}

TEST(RulesDisplay, UnknownKindAndActionShowQuestionMarks) {
  RuleState rules;
  rules.rule_table[0] = real_rule(0x30, 0x00, 1.0f, 2.0f, 3.0f, 4.0f);
  rules.rule_table[1] = real_rule(RULE_IMPLICIT, ACT_DROP, 1.0f, 2.0f, 3.0f, 4.0f);
  rules.rule_table[2] = real_rule(0x00, 0x0C, 0, 0, 0, 0);
  EXPECT_EQ(display(rules, 3, IMPLICIT_PASS),
            "Rule count 3 plus Implicit\n"
            "\nAction Command   Mods Arguments\n"
            "Pass   Implicit \n"
            "?      ?         00      \n"
            "Drop   implicit  00      \n"
            "?      ?         00      \n");
}

TEST(RuleArgTexts, CutToNineteenCharacters) {
  const RuleArgTexts circle = rule_arg_texts(real_rule(RULE_CIRCLE, ACT_DROP, 1e10f, 0, 0, 0));
  EXPECT_STREQ(circle.text[0].data(), "10000000000.000 mi ");
  const RuleArgTexts sector =
      rule_arg_texts(real_rule(RULE_SECTOR, ACT_DROP, 360.0f, 0, 1e10f, 1e30f));
  EXPECT_STREQ(sector.text[0].data(), "360.000 D Ang1,");
  EXPECT_STREQ(sector.text[2].data(), "10000000000.000 In ");
  EXPECT_EQ(std::strlen(sector.text[3].data()), 19u);
  const float inf = std::numeric_limits<float>::infinity();
  const RuleArgTexts endless = rule_arg_texts(real_rule(RULE_CIRCLE, ACT_DROP, inf, 0, 0, 0));
  EXPECT_STREQ(endless.text[0].data(), "inf mi R,");
}

TEST(RuleArgTexts, WidestPositionsFit) {
  const RuleArgTexts t =
      rule_arg_texts(real_rule(RULE_RECTANGLE, ACT_PASS, -90.0f, -180.0f, 90.0f, 180.0f));
  EXPECT_STREQ(t.text[0].data(), "-90.000000 D Lat1,");
  EXPECT_STREQ(t.text[1].data(), "-180.00000  D Lon1,");
  EXPECT_STREQ(t.text[2].data(), "90.000000  D Lat2,");
  EXPECT_STREQ(t.text[3].data(), "180.00000   D Lon2");
}

TEST(RuleArgTexts, CompassNamesByCode) {
  const char* want[] = {"Error Dir,", "N  Dir,", "NE Dir,", "E  Dir,", "SE Dir,",
                        "S  Dir,",    "SW Dir,", "W  Dir,", "NW Dir,"};
  for (std::uint8_t dir = 0; dir <= 8; ++dir) {
    EXPECT_STREQ(rule_arg_texts(compass_rule(dir, 0, 0)).text[0].data(), want[dir]);
  }
}

}  // namespace
