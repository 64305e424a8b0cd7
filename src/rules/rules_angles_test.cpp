// Rules whose latitudes, longitudes and sector angles go through the real
// angle parser, compiled from text end to end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/rules_fixture.h"

namespace {

using RulesAngles = RulesFixture;

const std::string kRefused = "340282346638528859811704183484516925440.000000";
const std::string kTwoColons = "\a\aError: Colon format: must have 2 colons: [s][D]DD:MM:SS[.F*]\n";

TEST_F(RulesAngles, WorkedEncodingsFromText) {
  ASSERT_EQ(compile("# worked records\n"
                    "\n"
                    "pass source ab-5\n"
                    "\n\n\n"
                    "drop circle 10, 39:30:00, -104:30:00\n"
                    "\n"
                    "drop destin *\n"
                    "\n\n"
                    "pass compass E, 45:15:00, 7:45:00\n"
                    "\n\n"
                    "drop sector 90:00:00, 180:00:00, 2.5\n"),
            0)
      << out;
  EXPECT_EQ(out, "Rules processed 5, implicit 0\n");
  const std::vector<std::uint8_t> want = {
      0x61, 0x62, 0,    0,    0, 0, 0x05, 0,    0,    0,    0,    0,    0,    0,
      0,    0,    0,    0,    0, 0, 0,    0,    0,    0,    0x26, 0x48, 0x03, 0,
      0x00, 0x00, 0x20, 0x41, 0, 0, 0x00, 0x00, 0x1e, 0x42, 0,    0,    0x00, 0x00,
      0xd1, 0xc2, 0,    0,    0, 0, 0,    0,    0,    0,    0x27, 0x04, 0x07, 0x00,
      0,    0,    0,    0,    0, 0, 0,    0,    0,    0,    0,    0,    0,    0,
      0,    0,    0,    0,    0, 0, 0,    0,    0,    0,    0x25, 0x34, 0x09, 0x00,
      0x03, 0,    0,    0,    0, 0, 0x00, 0x00, 0x35, 0x42, 0,    0,    0x00, 0x00,
      0xf8, 0x40, 0,    0,    0, 0, 0,    0,    0,    0,    0x28, 0x08, 0x0c, 0x00,
      0x00, 0x00, 0xb4, 0x42, 0, 0, 0x00, 0x00, 0x34, 0x43, 0,    0,    0x00, 0x00,
      0x20, 0x40, 0,    0,    0, 0, 0,    0,    0,    0,    0x2a, 0x04, 0x0f, 0x00};
  EXPECT_EQ(rule_bytes(rules, want.size() / RULE_REC_SIZE), want);
}

TEST_F(RulesAngles, NotationsWithBlanksBetweenCommas) {
  ASSERT_EQ(compile("drop circle 10,  39d 30m, W 104d 30m\n"
                    "pass compass e,\t45.15.,\t7.45.\n"),
            0)
      << out;
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT2), 39.5f);
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT3), -104.5f);
  EXPECT_EQ(rule_real(rec(1), RULE_SLOT2), 45.25f);
  EXPECT_EQ(rule_real(rec(1), RULE_SLOT3), 7.75f);
}

TEST_F(RulesAngles, CircleSeparatedByBlanksOnly) {
  const std::string line = "drop circle 10 39:30:00 -104:30:00";
  EXPECT_EQ(compile(line + "\n"), -19);
  EXPECT_EQ(out, kTwoColons + error(1, "invalid Latitude range [-90..90]: " + kRefused, line));
  EXPECT_EQ(conf.rule_count, 0);
  EXPECT_EQ(rules.rules_processed, 0);

  // In Dotted notation the whole rest of the line passes as one latitude
  // (39 degrees 5 minutes), and the longitude is then missing.
  const std::string dotted = "drop circle 10 39.5 -104.5";
  EXPECT_EQ(compile(dotted + "\n"), -23);
  EXPECT_EQ(out, error(1, "missing Longitude", dotted));
}

TEST_F(RulesAngles, RefusedAnglesInEveryPosition) {
  const struct {
    const char* line;
    int code;
    const char* words;
  } cases[] = {
      {"pass compass n, 1:2:3:4, 0:00:00", -31, "invalid Latitude range [-90..90]: "},
      {"pass compass n, 0:00:00, 1:2", -34, "invalid Longitude range [-180..180]: "},
      {"pass rectangle 1:2:3:4, 0:0:0, 0:0:0, 0:0:0", -40, "invalid Latitude1 range [-90..90]: "},
      {"pass rectangle 0:0:0, 1:2:3:4, 0:0:0, 0:0:0", -43,
       "invalid Longitude1 range [-180..180]: "},
      {"pass rectangle 0:0:0, 0:0:0, 1:2:3:4, 0:0:0", -46, "invalid Latitude2 range [-90..90]: "},
      {"pass rectangle 0:0:0, 0:0:0, 0:0:0, 1:2:3:4", -49,
       "invalid Longitude2 range [-180..180]: "},
      {"pass sector 1:2:3:4, 0:0:0, 1", -57, "invalid Angle1, range [0..360]: "},
      {"pass sector 0:0:0, 1:2:3:4, 1", -60, "invalid Angle2, range [0..360]: "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compile(std::string(c.line) + "\n"), c.code) << c.line;
    EXPECT_EQ(out, kTwoColons + error(1, c.words + kRefused, c.line)) << c.line;
  }
}

TEST_F(RulesAngles, BoundsOfWhatEachAngleStandsFor) {
  ASSERT_EQ(compile("pass rectangle 90d, -180d, -90d, 180d\n"
                    "pass sector 0d, 360d, 0\n"),
            0)
      << out;
  EXPECT_EQ(compile("pass circle 1, 90d 1m, 0d\n"), -19);
  EXPECT_EQ(out,
            error(1, "invalid Latitude range [-90..90]: 90.016667", "pass circle 1, 90d 1m, 0d"));
  EXPECT_EQ(compile("pass sector 0d 1m S, 10d, 1\n"), -57);
  EXPECT_EQ(out,
            error(1, "invalid Angle1, range [0..360]: -0.016667", "pass sector 0d 1m S, 10d, 1"));
}

TEST_F(RulesAngles, SectorRanges) {
  ASSERT_EQ(compile("drop sector 0:00:00, 90:00:00, 5\n"
                    "drop sector 0:00:00, 90:00:00, 0, .5\n"),
            0)
      << out;
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT3), 5.0f);
  EXPECT_EQ(rule_real(rec(0), RULE_SLOT4), 0.0f);
  EXPECT_EQ(rule_real(rec(1), RULE_SLOT3), 0.0f);
  EXPECT_EQ(rule_real(rec(1), RULE_SLOT4), 0.5f);

  const std::string same = "drop sector 0:00:00, 90:00:00, 5, 5";
  EXPECT_EQ(compile(same + "\n"), -66);
  EXPECT_EQ(out, error(1, "invalid Outer Range, must be > Inner Range: 5.000000", same));
  const std::string point = "drop sector 0:00:00, 90:00:00, .5";
  EXPECT_EQ(compile(point + "\n"), -62);
  EXPECT_EQ(out, error(1, "invalid or missing Inner Range", point));
}

TEST_F(RulesAngles, DisplayShowsSinglePrecision) {
  ASSERT_EQ(compile("drop circle 1, 39.1d, 0d\n"), 0) << out;
  EXPECT_EQ(display(),
            "Rule count 1 plus Implicit\n"
            "\nAction Command   Mods Arguments\n"
            "Pass   Implicit \n"
            "Drop   circle    00   1.000 mi R, 39.099998  D Lat, 0.00000     D Lon \n");
}

TEST_F(RulesAngles, EveryKindDisplayed) {
  ASSERT_EQ(compile("drop implicit\n"
                    "pass src ab-5\n"
                    "pass dst AB*\n"
                    "drop destin *\n"
                    "pass source N0CALL\n"
                    "pass circle 10, 39:30:00, -104:30:00\n"
                    "pass compass sw, 45.15., 7.45.\n"
                    "drop rectangle 40d, W 105d 15m, 39d 30m, -104d\n"
                    "drop sector 90d, 180d, 2.5\n"
                    "pass sector 270d, 360d, 0, .5\n"),
            0)
      << out;
  EXPECT_EQ(out, "Rules processed 9, implicit 1\n");
  EXPECT_EQ(display(),
            "Rule count 9 plus Implicit\n"
            "\nAction Command   Mods Arguments\n"
            "Drop   Implicit \n"
            "Pass   source    40   ab    -5   \n"
            "Pass   destin    10   AB    *   \n"
            "Drop   destin    30   *   \n"
            "Pass   source    00   N0CALL   \n"
            "Pass   circle    00   10.000 mi R, 39.500000  D Lat, -104.50000  D Lon \n"
            "Pass   compass   00   SW Dir, 45.250000  D Lat, 7.75000     D Lon \n"
            "Drop   rectangle 00   40.000000  D Lat1, -105.25000  D Lon1, 39.500000  D Lat2, "
            "-104.00000  D Lon2\n"
            "Drop   sector    00   90.000 D Ang1, 180.000 D Ang2, 2.500 In R, 0.000 Out R\n"
            "Pass   sector    00   270.000 D Ang1, 360.000 D Ang2, 0.000 In R, 0.500 Out R\n");
}

}  // namespace
