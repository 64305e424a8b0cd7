#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "angles/dmctodeg.h"
#include "config/conf_rec.h"
#include "support/not_file_names.h"
#include "support/rules_fixture.h"
#include "text/text_file.h"

namespace {

// Stands in for the angle parser so that the rule logic can be checked on
// its own: plain decimal degrees, blanks around them allowed. It keeps the
// texts it was handed.
std::vector<std::string> angle_texts;

double fake_degrees(Console& con, const char* text) {
  angle_texts.emplace_back(text);
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  const bool none = end == text;
  while (*end == ' ') ++end;
  if (none || *end != '\0') {
    con.print("fake: refused\n");
    return DMC_FAIL;
  }
  return value;
}

class RulesProcess : public RulesFixture {
 protected:
  // Compiles `text` with the real angle parser (only for rules without angles).
  int compile(const std::string& text) {
    angle_texts.clear();
    return run(text, nullptr);
  }
  // Compiles `text` with plain decimal degrees.
  int compile_fake(const std::string& text) {
    angle_texts.clear();
    return run(text, fake_degrees);
  }
};

TEST_F(RulesProcess, EmptyOrCommentOnlyFilesSucceedWithNothing) {
  for (const char* text : {"", "# only a comment\n\n   \t\n; another\n/ and one more\n, ,\n"}) {
    rules.rules_processed = 0;
    conf.implicit_action = IMPLICIT_DROP;
    conf.rule_count = 7;
    EXPECT_EQ(compile(text), 0);
    EXPECT_EQ(out, "Rules processed 0, implicit 0\n");
    EXPECT_EQ(conf.rule_count, 0);
    EXPECT_EQ(conf.implicit_action, IMPLICIT_PASS);
    EXPECT_EQ(rules.rules_processed, 1);
    EXPECT_EQ(rules.rule_entries, 0);
  }
}

TEST_F(RulesProcess, NullNameChangesNothing) {
  ASSERT_EQ(compile("drop implicit\npass src ab\n"), 0);
  Console con("");
  EXPECT_EQ(rules_process(con, rules, conf, nullptr), -1);
  EXPECT_EQ(con.output(), "rules_process: Error: param rfp is invalid\n");
  EXPECT_EQ(conf.rule_count, 1);
  EXPECT_EQ(conf.implicit_action, IMPLICIT_DROP);
  EXPECT_EQ(rules.rules_processed, 1);
}

TEST_F(RulesProcess, MissingFileLeavesThePreviousRuleSet) {
  ASSERT_EQ(compile("drop implicit\npass src ab\ndrop dst cd-2\n"), 0);
  const RuleState before = rules;
  const std::string missing = files.path("nothere.txt");
  Console con("");
  EXPECT_EQ(rules_process(con, rules, conf, missing.c_str()), -2);
  EXPECT_EQ(con.output(), "\a\aError: cannot open " + missing + "\n");
  EXPECT_EQ(conf.rule_count, 2);
  EXPECT_EQ(conf.implicit_action, IMPLICIT_DROP);
  EXPECT_EQ(rules.rules_processed, 1);
  EXPECT_EQ(rules.rule_entries, before.rule_entries);
  EXPECT_EQ(rules.rule_table, before.rule_table);
}

// An I/O error in mid-file (a stream that refuses to be read stands for it)
// leaves no rule set, not an empty one that counts as processed.
TEST_F(RulesProcess, ReadErrorIsAFailureNotAnEmptyRuleSet) {
  ASSERT_EQ(compile("drop implicit\npass src ab\n"), 0);
  const FilePtr write_only = files.unreadable_stream("rules.txt", "pass src ab\n");
  if (write_only == nullptr) GTEST_SKIP() << "no stream here fails its reads";
  Console con("");
  EXPECT_EQ(rules_compile_file(con, rules, conf, path.c_str(), write_only.get(), dmctodeg), -2);
  EXPECT_EQ(con.output(), "\a\aError: cannot read " + path + "\n");
  EXPECT_EQ(conf.rule_count, 0);
  EXPECT_EQ(conf.implicit_action, IMPLICIT_PASS);
  EXPECT_EQ(rules.rules_processed, 0);
  EXPECT_EQ(rules.rule_entries, 0);
  EXPECT_EQ(rules.rule_table, RuleState{}.rule_table);
}

// A folder or a device typed for the file is refused before the table is
// cleared: the rule set compiled before stays in force.
TEST_F(RulesProcess, ANameThatIsNoFileChangesNothing) {
  ASSERT_EQ(compile("drop implicit\npass src ab\ndrop dst cd-2\n"), 0);
  const RuleState before = rules;
  const ConfRec conf_before = conf;
  for (const std::string& name : not_file_names(files)) {
    Console con("");
    EXPECT_EQ(rules_process(con, rules, conf, name.c_str()), -2) << name;
    EXPECT_EQ(con.output(), "\a\aError: cannot read " + name + "\n");
    EXPECT_EQ(conf_encode(conf), conf_encode(conf_before)) << name;
    EXPECT_EQ(rules.rules_processed, 1) << name;
    EXPECT_EQ(rules.rule_entries, before.rule_entries) << name;
    EXPECT_EQ(rules.rule_table, before.rule_table) << name;
  }
}

TEST_F(RulesProcess, WorkedSourceRecordFromText) {
  ASSERT_EQ(compile("# filters\n\npass source ab-5\n"), 0);
  EXPECT_EQ(out, "Rules processed 1, implicit 0\n");
  const std::uint8_t want[28] = {0x61, 0x62, 0, 0, 0, 0, 0x05, 0, 0, 0, 0,    0,    0,    0,
                                 0,    0,    0, 0, 0, 0, 0,    0, 0, 0, 0x26, 0x48, 0x03, 0};
  EXPECT_EQ(0, std::memcmp(rule_bytes(rules, RULE_TABLE_SIZE).data(), want, sizeof want));
}

TEST_F(RulesProcess, LoneAsteriskDestinationFromText) {
  ASSERT_EQ(compile("\n\n\n\n\n\n\n\ndrop destin *\n"), 0);
  std::uint8_t want[28] = {};
  want[24] = 0x25;
  want[25] = 0x34;
  want[26] = 0x09;
  EXPECT_EQ(0, std::memcmp(rule_bytes(rules, RULE_TABLE_SIZE).data(), want, sizeof want));
}

struct PatternCase {
  const char* pattern;
  std::uint8_t mods;
  const char* call;
  std::uint8_t ssid;
};

TEST_F(RulesProcess, PatternForms) {
  const PatternCase cases[] = {
      {"*", MOD_WILD | MOD_ANY, "", 0},
      {"*ab-3", MOD_WILD | MOD_ANY, "", 0},
      {"ab*-3", MOD_WILD, "ab", 0},
      {"ab-3*", MOD_WILD, "ab-3", 0},
      {"ab*", MOD_WILD, "ab", 0},
      {"ab-", MOD_SSID, "ab", 0},
      {"ab-15", MOD_SSID, "ab", 15},
      {"abcdefg*", MOD_WILD, "abcdefg", 0},
      {"abcdef-15", MOD_SSID, "abcdef", 15},
      {"-5", MOD_SSID, "", 5},
      {"N0CALL", 0, "N0CALL", 0},
      {"ab-+7x", MOD_SSID, "ab", 7},
      {"ab#-3", 0, "ab", 0},
      {"ab;x", 0, "ab", 0},
  };
  for (const PatternCase& c : cases) {
    for (const char* keyword : {"dst", "src"}) {
      const std::string line = std::string("pass ") + keyword + " " + c.pattern + "\n";
      if (std::strlen(c.call) > 6) {
        EXPECT_LT(compile(line), 0) << line;  // the prefix is still a call part
        continue;
      }
      ASSERT_EQ(compile(line), 0) << line << out;
      EXPECT_EQ(rule_flags(rec(0)), ACT_PASS | c.mods) << line;
      EXPECT_EQ(rule_call(rec(0)), c.call) << line;
      EXPECT_EQ(rule_ssid(rec(0)), c.ssid) << line;
      for (std::size_t i = 7; i < 24; ++i) EXPECT_EQ(rec(0)[i], 0) << line << " byte " << i;
    }
  }
}

TEST_F(RulesProcess, UppercaseActionAndKeywordKeepTheCallsCase) {
  ASSERT_EQ(compile("DROP Dst ab*\n"), 0);
  EXPECT_EQ(rule_type(rec(0)), RULE_DESTIN);
  EXPECT_EQ(rule_flags(rec(0)), ACT_DROP | MOD_WILD);
  EXPECT_EQ(rule_call(rec(0)), "ab");
}

struct ErrorCase {
  const char* line;
  int code;
  const char* words;
};

TEST_F(RulesProcess, PatternErrors) {
  const ErrorCase cases[] = {
      {"pass dst ab-16", -9, "invalid SSID range [0..15]: 16"},
      {"pass src ab--1", -9, "invalid SSID range [0..15]: -1"},
      {"pass dst ab-99999999999", -9, "invalid SSID range [0..15]: 2147483647"},
      {"pass dst abcdefg-16", -9, "invalid SSID range [0..15]: 16"},
      {"pass dst abcdefg", -10, "Destination is too long: abcdefg"},
      {"pass dst abcdefg-5", -10, "Destination is too long: abcdefg"},
      {"pass dst abcdefg*", -10, "Destination is too long: abcdefg"},
      {"pass src abcdefg-5", -11, "Source is too long: abcdefg"},
      {"pass dst", -11, "missing Destination"},
      {"pass dst #", -11, "missing Destination"},
      {"pass dst # ab", -8, "missing Destination string"},
      {"pass src", -13, "missing Source"},
      {"pass src ;ab", -12, "missing Source string"},
  };
  for (const ErrorCase& c : cases) {
    EXPECT_EQ(compile(std::string("\n") + c.line + "\n"), c.code) << c.line;
    EXPECT_EQ(out, error(2, c.words, c.line)) << c.line;
  }
}

TEST_F(RulesProcess, ActionAndKeywordErrors) {
  const ErrorCase cases[] = {
      {"dr src ab", -3, "action dr invalid"},
      {"passes src ab", -3, "action passes invalid"},
      {"drop#x src ab", -3, "action drop#x invalid"},
      {"drop", -71, "missing arguments"},
      {"pass ,, \t", -71, "missing arguments"},
      {"drop #src ab", -5, "missing command"},
      {"drop /", -5, "missing command"},
      {"p ;", -5, "missing command"},
      {"drop d ab", -7, "Ambiguous command: d"},
      {"drop D ab", -7, "Ambiguous command: D"},
      {"drop c 1, 2, 3", -7, "Ambiguous command: c"},
      {"drop s ab", -7, "Ambiguous command: s"},
      {"drop destination ab", -7, "command destination invalid"},
      {"drop dsts ab", -7, "command dsts invalid"},
      {"drop x ab", -7, "command x invalid"},
  };
  for (const ErrorCase& c : cases) {
    EXPECT_EQ(compile(c.line), c.code) << c.line;
    EXPECT_EQ(out, error(1, c.words, c.line)) << c.line;
  }
}

TEST_F(RulesProcess, ActionWordsAndShortestKeywords) {
  const struct {
    const char* line;
    std::uint8_t type;
    std::uint8_t action;
  } cases[] = {
      {"drop de ab", RULE_DESTIN, ACT_DROP},           {"d ds ab", RULE_DESTIN, ACT_DROP},
      {"pass so ab", RULE_SOURCE, ACT_PASS},           {"P sr ab", RULE_SOURCE, ACT_PASS},
      {"DROP DESTIN ab", RULE_DESTIN, ACT_DROP},       {"Pass,SRC,ab", RULE_SOURCE, ACT_PASS},
      {"p ci 1, 2, 3", RULE_CIRCLE, ACT_PASS},         {"d co n, 2, 3", RULE_COMPASS, ACT_DROP},
      {"p r 1, 2, 3, 4", RULE_RECTANGLE, ACT_PASS},    {"d se 1, 2, 3", RULE_SECTOR, ACT_DROP},
      {"p Rect 1, 2, 3, 4", RULE_RECTANGLE, ACT_PASS},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(compile_fake(c.line), 0) << c.line << out;
    EXPECT_EQ(rule_type(rec(0)), c.type) << c.line;
    EXPECT_EQ(rule_flags(rec(0)) & ACT_MASK, c.action) << c.line;
    EXPECT_EQ(rule_line(rec(0)), 1) << c.line;
  }
}

TEST_F(RulesProcess, ImplicitLinesTakeNoRecordAndTheLastWins) {
  ASSERT_EQ(compile("d i\npass src a1\nDROP Implicit whatever follows\np imp\ndrop src a2\n"
                    "d implicit\n"),
            0);
  EXPECT_EQ(out, "Rules processed 2, implicit 4\n");
  EXPECT_EQ(conf.implicit_action, IMPLICIT_DROP);
  EXPECT_EQ(conf.rule_count, 2);
  EXPECT_EQ(rules.rule_entries, 6);
  EXPECT_EQ(rule_call(rec(0)), "a1");
  EXPECT_EQ(rule_line(rec(0)), 2);
  EXPECT_EQ(rule_call(rec(1)), "a2");
  EXPECT_EQ(rule_line(rec(1)), 5);
  ASSERT_EQ(compile("drop implicit\npass implicit\n"), 0);
  EXPECT_EQ(conf.implicit_action, IMPLICIT_PASS);
}

TEST_F(RulesProcess, StateAfterAFailureOnLineFive) {
  ASSERT_EQ(compile("pass src zz\npass src yy\npass src xx\n"), 0);
  EXPECT_EQ(compile("pass src a1\ndrop implicit\n# note\npass dst b2\ndrop bogus x\npass src c3\n"),
            -7);
  EXPECT_EQ(out, error(5, "command bogus invalid", "drop bogus x"));
  EXPECT_EQ(conf.implicit_action, IMPLICIT_DROP);
  EXPECT_EQ(conf.rule_count, 0);
  EXPECT_EQ(rules.rules_processed, 0);
  EXPECT_EQ(rules.rule_entries, 3);
  // Records before the failure stay; the rest of the table was cleared.
  EXPECT_EQ(rule_call(rec(0)), "a1");
  EXPECT_EQ(rule_call(rec(1)), "b2");
  EXPECT_EQ(rule_line(rec(1)), 4);
  EXPECT_EQ(rec(2), RuleRec{});
}

std::string rules_lines(int count, const char* line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line;
  return text;
}

TEST_F(RulesProcess, AtMostOneHundredEntries) {
  EXPECT_EQ(compile(rules_lines(100, "pass src ab\n")), 0);
  EXPECT_EQ(conf.rule_count, 100);
  EXPECT_EQ(rule_line(rec(99)), 100);

  EXPECT_EQ(compile(rules_lines(99, "pass src ab\n") + "drop implicit\n"), 0);
  EXPECT_EQ(out, "Rules processed 99, implicit 1\n");

  EXPECT_EQ(compile(rules_lines(100, "pass src ab\n") + "pass src cd\n"), -6);
  EXPECT_EQ(out, error(101, "rule limit (100) exceeded", "pass src cd"));

  EXPECT_EQ(compile(rules_lines(100, "pass src ab\n") + "drop implicit\n"), -6);
  EXPECT_EQ(out, error(101, "rule limit (100) exceeded", "drop implicit"));
  EXPECT_EQ(conf.implicit_action, IMPLICIT_PASS);

  // The limit is tested before the keyword, so even a bad one reports it.
  EXPECT_EQ(compile("d implicit\n" + rules_lines(99, "pass src ab\n") + "d bogus\n"), -6);
  EXPECT_EQ(compile("d implicit\n" + rules_lines(98, "pass src ab\n") + "d implicit\n# x\n" +
                    "pass src cd\n"),
            -6);
  EXPECT_EQ(out, error(102, "rule limit (100) exceeded", "pass src cd"));
  EXPECT_EQ(conf.rule_count, 0);
  EXPECT_EQ(rules.rule_entries, 100);
}

TEST_F(RulesProcess, LongLinesArePiecesWithTheirOwnNumbers) {
  const std::string first = "pass src ab" + std::string(244, ' ');  // 255 characters
  ASSERT_EQ(compile(first + "      drop src cd\npass src ef\n"), 0);
  EXPECT_EQ(conf.rule_count, 3);
  EXPECT_EQ(rule_line(rec(0)), 1);
  EXPECT_EQ(rule_call(rec(1)), "cd");
  EXPECT_EQ(rule_line(rec(1)), 2);
  EXPECT_EQ(rule_line(rec(2)), 3);
  EXPECT_EQ(compile(first + "x y\n"), -3);
  EXPECT_EQ(out, error(2, "action x invalid", "x y"));
}

TEST_F(RulesProcess, CrLfLinesAndTrailingWordsAreIgnored) {
  ASSERT_EQ(compile("pass src ab-3 and more words\r\ndrop dst cd\r\n"), 0);
  EXPECT_EQ(conf.rule_count, 2);
  EXPECT_EQ(compile("pass src ab-16\r\n"), -9);
  EXPECT_EQ(out, error(1, "invalid SSID range [0..15]: 16", "pass src ab-16"));
}

TEST_F(RulesProcess, ArgumentErrorsOfTheAreaKinds) {
  const std::string refused = "340282346638528859811704183484516925440.000000";
  const ErrorCase cases[] = {
      {"drop circle", -25, "missing Radius"},
      {"drop circle #", -14, "missing Range"},
      {"drop circle ;10, 1, 2", -14, "missing Range"},
      {"drop circle 0, 1, 2", -16, "invalid Circle Radius, must be > 0: 0.000000"},
      {"drop circle -2.5, 1, 2", -16, "invalid Circle Radius, must be > 0: -2.500000"},
      {"drop circle inf, 1, 2", -16, "invalid Circle Radius, must be > 0: 0.000000"},
      {"drop circle 0x10, 1, 2", -16, "invalid Circle Radius, must be > 0: 0.000000"},
      {"drop circle 5", -24, "missing Latitude"},
      {"drop circle 5 #x", -17, "missing Latitude"},
      {"drop circle 5, 90.5, 2", -19, "invalid Latitude range [-90..90]: 90.500000"},
      {"drop circle 5, 1", -23, "missing Longitude"},
      {"drop circle 5, 1,#", -23, "missing Longitude"},
      {"drop circle 5, 1,# 2", -20, "missing Longitude"},
      {"drop circle 5, 1, -180.5", -22, "invalid Longitude range [-180..180]: -180.500000"},
      {"drop compass", -37, "missing Compass Direction"},
      {"drop compass /", -26, "missing Direction"},
      {"drop compass NNE, 1, 2", -27, "invalid compass Direction NNE"},
      {"drop compass n", -36, "missing Latitude"},
      {"drop compass n,;", -29, "missing Latitude"},
      {"drop compass n, -91, 2", -31, "invalid Latitude range [-90..90]: -91.000000"},
      {"drop compass n, 1", -35, "missing Longitude"},
      {"drop compass n, 1,# 2", -32, "missing Longitude"},
      {"drop compass n, 1, 181", -34, "invalid Longitude range [-180..180]: 181.000000"},
      {"drop rectangle", -53, "missing Latitude1"},
      {"drop rectangle ;", -38, "missing Latitude1"},
      {"drop rectangle 91", -40, "invalid Latitude1 range [-90..90]: 91.000000"},
      {"drop rectangle 1", -52, "missing Longitude1"},
      {"drop rectangle 1,#", -41, "missing Longitude1"},
      {"drop rectangle 1, 190", -43, "invalid Longitude1 range [-180..180]: 190.000000"},
      {"drop rectangle 1, 2", -51, "missing Latitude2"},
      {"drop rectangle 1, 2,/", -44, "missing Latitude2"},
      {"drop rectangle 1, 2, -95", -46, "invalid Latitude2 range [-90..90]: -95.000000"},
      {"drop rectangle 1, 2, 3", -50, "missing Longitude2"},
      {"drop rectangle 1, 2, 3,;4", -47, "missing Longitude2"},
      {"drop rectangle 1, 2, 3, 400", -49, "invalid Longitude2 range [-180..180]: 400.000000"},
      {"drop sector", -69, "missing Angle1"},
      {"drop sector #", -54, "missing Angle1"},
      {"drop sector -1", -57, "invalid Angle1, range [0..360]: -1.000000"},
      {"drop sector 1", -68, "missing Angle2"},
      {"drop sector 1,#", -58, "missing Angle2"},
      {"drop sector 1, 360.5", -60, "invalid Angle2, range [0..360]: 360.500000"},
      {"drop sector 1, 2", -67, "missing Inner Range"},
      {"drop sector 1, 2, #5", -61, "missing Inner Range"},
      {"drop sector 1, 2, .5", -62, "invalid or missing Inner Range"},
      {"drop sector 1, 2, -1", -62, "invalid or missing Inner Range"},
      {"drop sector 1, 2, +1", -62, "invalid or missing Inner Range"},
      {"drop sector 1, 2, 5, 5", -66, "invalid Outer Range, must be > Inner Range: 5.000000"},
      {"drop sector 1, 2, 0, -1", -66, "invalid Outer Range, must be > Inner Range: -1.000000"},
      {"drop sector 1, 2, 0, x", -66, "invalid Outer Range, must be > Inner Range: 0.000000"},
      // 0.1 stored in single precision is a little more than the double 0.1.
      {"drop sector 1, 2, 0.1, 0.1", -66, "invalid Outer Range, must be > Inner Range: 0.100000"},
  };
  for (const ErrorCase& c : cases) {
    EXPECT_EQ(compile_fake(std::string("\n\n") + c.line + "\n"), c.code) << c.line;
    EXPECT_EQ(out, error(3, c.words, c.line)) << c.line;
  }
  // A refused angle: the parser's own message, then the range message.
  EXPECT_EQ(compile_fake("drop circle 10 39.5 -104.5\n"), -19);
  EXPECT_EQ(angle_texts, std::vector<std::string>{"39.5 -104.5"});
  EXPECT_EQ(out, "fake: refused\n" + error(1, "invalid Latitude range [-90..90]: " + refused,
                                           "drop circle 10 39.5 -104.5"));
  // A blank before the comment is an angle text of its own, not a missing one.
  EXPECT_EQ(compile_fake("drop compass n, 1, # 2\n"), -34);
  EXPECT_EQ(angle_texts, (std::vector<std::string>{" 1", " "}));
  EXPECT_EQ(out, "fake: refused\n" + error(1, "invalid Longitude range [-180..180]: " + refused,
                                           "drop compass n, 1, # 2"));
}

TEST_F(RulesProcess, RefusedAngleMessageComesFirst) {
  const std::string refused = "340282346638528859811704183484516925440.000000";
  const std::string unrecognized =
      "\a\aError: Unrecognized format: must be one of Dotted, Colon or DMC\n";
  EXPECT_EQ(compile("drop rectangle 45, 2, 3, 4\n"), -40);
  EXPECT_EQ(out, unrecognized + error(1, "invalid Latitude1 range [-90..90]: " + refused,
                                      "drop rectangle 45, 2, 3, 4"));
  EXPECT_EQ(compile("pass circle 5, 45, 6\n"), -19);
  EXPECT_EQ(out, unrecognized + error(1, "invalid Latitude range [-90..90]: " + refused,
                                      "pass circle 5, 45, 6"));
}

TEST_F(RulesProcess, AngleTextsKeepTheirBlanks) {
  ASSERT_EQ(compile_fake("pass rectangle  1,  2 ,\t3,4 # corner\n"), 0);
  EXPECT_EQ(angle_texts, (std::vector<std::string>{" 1", "  2 ", "3", "4 "}));
  ASSERT_EQ(compile_fake("pass circle 10,\t-1 ,2;x\n"), 0);
  EXPECT_EQ(angle_texts, (std::vector<std::string>{"-1 ", "2"}));
}

TEST_F(RulesProcess, AreaRecordsHoldTheirValues) {
  ASSERT_EQ(compile_fake("drop circle 10, 39.5, -104.5\n"
                         "pass compass SE, 45.25, 7.75\n"
                         "pass rectangle 40, -105.25, 39.5, -104\n"
                         "drop sector 90, 180, 2.5\n"
                         "drop sector 0, 360, 0, .5\n"
                         "drop sector 10, 20, 5 # 9\n"
                         "drop sector 10, 20, 5;9\n"
                         "drop circle 1e39, 90, -180\n"),
            0);
  EXPECT_EQ(conf.rule_count, 8);
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT1), 10.0f);
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT2), 39.5f);
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT3), -104.5f);
  EXPECT_EQ(rule_dir(rec(1)), 4);
  EXPECT_EQ(rule_real(rec(1), RULE_SLOT2), 45.25f);
  const float corners[4] = {40.0f, -105.25f, 39.5f, -104.0f};
  const std::size_t slots[4] = {RULE_SLOT1, RULE_SLOT2, RULE_SLOT3, RULE_SLOT4};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(rule_real(rec(2), slots[i]), corners[i]);
  EXPECT_EQ(rule_real(rec(3), RULE_SLOT3), 2.5f);
  EXPECT_EQ(rule_real(rec(3), RULE_SLOT4), 0.0f);
  EXPECT_EQ(rule_real(rec(4), RULE_SLOT4), 0.5f);
  EXPECT_EQ(rule_real(rec(5), RULE_SLOT4), 0.0f);
  EXPECT_EQ(rule_real(rec(6), RULE_SLOT3), 5.0f);
  EXPECT_EQ(rule_real(rec(6), RULE_SLOT4), 0.0f);
  EXPECT_EQ(rule_real(rec(7), RULE_SLOT1), std::numeric_limits<float>::infinity());
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(rule_flags(rec(i)) & MOD_MASK, 0) << i;
    EXPECT_EQ(rule_line(rec(i)), i + 1);
  }
  // Unused bytes stay zero: the compass slot 1 tail and slot 4.
  for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(rec(1)[i], 0);
  for (std::size_t i = 18; i < 24; ++i) EXPECT_EQ(rec(1)[i], 0);
}

TEST_F(RulesProcess, CompassNamesInAnyCase) {
  const char* names[] = {"n", "Ne", "E", "sE", "S", "sw", "W", "nW"};
  for (std::uint8_t code = 1; code <= 8; ++code) {
    const std::string line = std::string("pass compass ") + names[code - 1] + ", 1, 2\n";
    ASSERT_EQ(compile_fake(line), 0) << line;
    EXPECT_EQ(rule_dir(rec(0)), code) << line;
  }
}

}  // namespace
