#include "rules/rule_rec.h"

#include <gtest/gtest.h>

#include <vector>

#include "rules/rule_set.h"
#include "rules/rule_tables.h"

namespace {

std::vector<std::uint8_t> bytes_of(const RuleRec& rec) { return {rec.begin(), rec.end()}; }

RuleRec source_ab_5() {
  RuleRec rec{};
  rule_put_call(rec, "ab");
  rule_put_ssid(rec, 5);
  rule_put_header(rec, RULE_SOURCE, ACT_PASS | MOD_SSID, 3);
  return rec;
}

TEST(RuleRec, WorkedEncodings) {
  EXPECT_EQ(
      bytes_of(source_ab_5()),
      (std::vector<std::uint8_t>{0x61, 0x62, 0, 0, 0, 0, 0x05, 0, 0, 0, 0,    0,    0,    0,
                                 0,    0,    0, 0, 0, 0, 0,    0, 0, 0, 0x26, 0x48, 0x03, 0}));

  RuleRec circle{};
  rule_put_real(circle, RULE_SLOT1, 10.0f);
  rule_put_real(circle, RULE_SLOT2, 39.5f);
  rule_put_real(circle, RULE_SLOT3, -104.5f);
  rule_put_header(circle, RULE_CIRCLE, ACT_DROP, 7);
  EXPECT_EQ(bytes_of(circle),
            (std::vector<std::uint8_t>{0x00, 0x00, 0x20, 0x41, 0,    0,    0x00, 0x00, 0x1e, 0x42,
                                       0,    0,    0x00, 0x00, 0xd1, 0xc2, 0,    0,    0,    0,
                                       0,    0,    0,    0,    0x27, 0x04, 0x07, 0x00}));

  RuleRec any{};
  rule_put_header(any, RULE_DESTIN, ACT_DROP | MOD_WILD | MOD_ANY, 9);
  std::vector<std::uint8_t> any_bytes(24, 0);
  any_bytes.insert(any_bytes.end(), {0x25, 0x34, 0x09, 0x00});
  EXPECT_EQ(bytes_of(any), any_bytes);

  RuleRec compass{};
  rule_put_dir(compass, 3);
  rule_put_real(compass, RULE_SLOT2, 45.25f);
  rule_put_real(compass, RULE_SLOT3, 7.75f);
  rule_put_header(compass, RULE_COMPASS, ACT_PASS, 12);
  EXPECT_EQ(bytes_of(compass),
            (std::vector<std::uint8_t>{0x03, 0, 0,    0,    0,    0,    0x00, 0x00, 0x35, 0x42,
                                       0,    0, 0x00, 0x00, 0xf8, 0x40, 0,    0,    0,    0,
                                       0,    0, 0,    0,    0x28, 0x08, 0x0c, 0x00}));

  RuleRec sector{};
  rule_put_real(sector, RULE_SLOT1, 90.0f);
  rule_put_real(sector, RULE_SLOT2, 180.0f);
  rule_put_real(sector, RULE_SLOT3, 2.5f);
  rule_put_header(sector, RULE_SECTOR, ACT_DROP, 15);
  EXPECT_EQ(bytes_of(sector),
            (std::vector<std::uint8_t>{0x00, 0x00, 0xb4, 0x42, 0,    0,    0x00, 0x00, 0x34, 0x43,
                                       0,    0,    0x00, 0x00, 0x20, 0x40, 0,    0,    0,    0,
                                       0,    0,    0,    0,    0x2a, 0x04, 0x0f, 0x00}));
}

TEST(RuleRec, FieldsReadBackAsWritten) {
  RuleRec rec{};
  rule_put_header(rec, RULE_SECTOR, ACT_PASS, -2);
  EXPECT_EQ(rec[26], 0xFE);
  EXPECT_EQ(rec[27], 0xFF);
  EXPECT_EQ(rule_line(rec), -2);
  rule_put_real(rec, RULE_SLOT4, -0.5f);
  EXPECT_EQ(rule_real(rec, RULE_SLOT4), -0.5f);
  EXPECT_EQ(rule_type(rec), RULE_SECTOR);
  EXPECT_EQ(rule_flags(rec), ACT_PASS);
}

TEST(RuleRec, CallFillsSixBytesWithoutTerminatorWhenFull) {
  RuleRec rec{};
  rec.fill(0xAA);
  rule_put_call(rec, "ABCDEF");
  EXPECT_EQ(rule_call(rec), "ABCDEF");
  EXPECT_EQ(rec[6], 0xAA);  // the SSID slot is not touched
  rule_put_call(rec, "n0");
  EXPECT_EQ(rule_call(rec), "n0");
  for (int i = 2; i < 6; ++i) EXPECT_EQ(rec[static_cast<std::size_t>(i)], 0) << i;
  rule_put_call(rec, "");
  EXPECT_EQ(rule_call(rec), "");
}

TEST(RuleRec, RuleBytesIsTheTableEndToEnd) {
  RuleState rules;
  rules.rule_table[0] = source_ab_5();
  rules.rule_table[99][27] = 0x5A;
  const std::vector<std::uint8_t> bytes = rule_bytes(rules, RULE_TABLE_SIZE);
  ASSERT_EQ(bytes.size(), 2800u);
  EXPECT_EQ(bytes[0], 0x61);
  EXPECT_EQ(bytes[24], 0x26);
  EXPECT_EQ(bytes[28 * 99 + 27], 0x5A);
  EXPECT_EQ(sizeof rules.rule_table, 2800u);
}

TEST(RuleTables, KindNameIsTheFirstRowOrQuestionMark) {
  EXPECT_STREQ(rule_kind_name(0x24), "implicit");
  EXPECT_STREQ(rule_kind_name(0x25), "destin");
  EXPECT_STREQ(rule_kind_name(0x26), "source");
  EXPECT_STREQ(rule_kind_name(0x27), "circle");
  EXPECT_STREQ(rule_kind_name(0x28), "compass");
  EXPECT_STREQ(rule_kind_name(0x29), "rectangle");
  EXPECT_STREQ(rule_kind_name(0x2A), "sector");
  EXPECT_STREQ(rule_kind_name(0), "?");
  EXPECT_STREQ(rule_kind_name(0x23), "?");
  EXPECT_STREQ(rule_kind_name(0x2B), "?");
}

}  // namespace
