// The position line: its two angles go through the angle parser, whose own
// message comes first when it refuses one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "config/conf_process.h"
#include "config/le_bytes.h"
#include "support/conf_run.h"
#include "support/scratch_dir.h"

namespace {

const char* const DOTTED_REFUSAL =
    "\a\aError: Dotted format: must have 2 periods: [s][D]DD.MM.[F*]\n"
    "\tor DMC format must have at least one of [DdMmCc] identifiers\n";
const char* const TWO_COLONS_REFUSAL =
    "\a\aError: Colon format: must have 2 colons: [s][D]DD:MM:SS[.F*]\n";
const char* const ALPHA_REFUSAL =
    "\a\aError: Colon format: has alpha characters: [s][D]DD:MM:SS[.F*]\n";
const char* const UNRECOGNIZED_REFUSAL =
    "\a\aError: Unrecognized format: must be one of Dotted, Colon or DMC\n";

// 45:22:33 is 45.3758333 degrees, single precision 0x423580DA; -103 is
// 0xC2CE0000.
constexpr std::uint32_t LAT_452233 = 0x423580DA;
constexpr std::uint32_t LON_MINUS_103 = 0xC2CE0000;

std::uint32_t bits(float v) {
  std::uint8_t b[4];
  put_le_float(b, v);
  return get_le32(b);
}

TEST(ConfPosition, AcceptsBothKeywordsAndCommaDelimiters) {
  for (const char* text : {"position 45:22:33 -103:00:00\n", "position,45:22:33,-103:00:00\n",
                           "BASE\t45:22:33\t-103:00:00 # home\n", "pos 45:22:33 -103:00:00;x\n"}) {
    ConfigState cfg;
    const ParseRun run = run_conf(cfg, text);
    EXPECT_EQ(run.rc, 0) << text;
    EXPECT_EQ(run.out, "Configuration items processed 1\n") << text;
    EXPECT_EQ(bits(cfg.conf_rec.base_lat), LAT_452233) << text;
    EXPECT_EQ(bits(cfg.conf_rec.base_lon), LON_MINUS_103) << text;
  }
}

TEST(ConfPosition, StoresWhatTheAngleParserAccepts) {
  struct Case {
    const char* text;
    float lat;
    float lon;
  };
  const Case cases[] = {
      {"position -38:33:29.222 45.22.64", -38.55812f, 45.37733f},
      {"position 39d23.7m33.9C -42.5d", 39.40442f, -42.5f},
      {"position -0:30:00 -103.00.", -0.5f, -103.0f},
      // No bounds of its own: beyond 90 and 180 is stored as given.
      {"position 95:00:00 200:00:00", 95.0f, 200.0f},
  };
  for (const Case& c : cases) {
    ConfigState cfg;
    EXPECT_EQ(run_conf(cfg, c.text).rc, 0) << c.text;
    EXPECT_NEAR(cfg.conf_rec.base_lat, c.lat, 1e-5) << c.text;
    EXPECT_NEAR(cfg.conf_rec.base_lon, c.lon, 1e-5) << c.text;
  }
}

struct ErrorCase {
  const char* text;
  int rc;
  std::string out;
  float lat;  // what base_lat holds afterwards
};

TEST(ConfPosition, FailuresAndWhatTheyLeaveStored) {
  const ErrorCase cases[] = {
      {"position 45:22:33", CONF_BAD_ARG,
       "\a\aError: line 1: missing Station Longitude argument: position 45:22:33\n", 45.3758333f},
      {"position 45:22:33 # -103:00:00", CONF_ARG_IN_COMMENT,
       "\a\aError: line 1: missing Station Longitude argument: position 45:22:33 # -103:00:00\n",
       45.3758333f},
      {"position 45.5 -103:00:00", CONF_BAD_ARG,
       std::string(DOTTED_REFUSAL) +
           "\a\aError: line 1: invalid Station Latitude argument: 45.5: position 45.5 "
           "-103:00:00\n",
       40.0f},
      {"position 45:22:33 12:30", CONF_BAD_ARG,
       std::string(TWO_COLONS_REFUSAL) +
           "\a\aError: line 1: invalid Station Longitude argument: 12:30: position 45:22:33 "
           "12:30\n",
       45.3758333f},
      // The latitude token is not ended by a comment character.
      {"position 45:22:33#x -103:00:00", CONF_BAD_ARG,
       std::string(ALPHA_REFUSAL) +
           "\a\aError: line 1: invalid Station Latitude argument: 45:22:33#x: position "
           "45:22:33#x -103:00:00\n",
       40.0f},
      {"# home\nposition # 45:00:00", CONF_BAD_ARG,
       std::string(UNRECOGNIZED_REFUSAL) +
           "\a\aError: line 2: invalid Station Latitude argument: #: position # 45:00:00\n",
       40.0f},
  };
  for (const ErrorCase& c : cases) {
    ConfigState cfg;
    const ParseRun run = run_conf(cfg, c.text);
    EXPECT_EQ(run.rc, c.rc) << c.text;
    EXPECT_EQ(run.out, c.out) << c.text;
    EXPECT_EQ(cfg.conf_processed, 0) << c.text;
    EXPECT_NEAR(cfg.conf_rec.base_lat, c.lat, 1e-5) << c.text;
    EXPECT_EQ(cfg.conf_rec.base_lon, -105.25f) << c.text;
  }
}

// Every keyword set, the record written out byte by byte.
TEST(ConfPosition, RecordBytesAfterAFullStationFile) {
  ConfigState cfg;
  cfg.conf_rec.rule_count = 2;
  const ParseRun run = run_conf(cfg,
                                "call kd0xyz\nssid 017\nposition 45:22:33 -103:00:00\n"
                                "havegps n\nlog y\ndropmangld y\nhaltonerr n\nfixvalid y\n"
                                "host 38400\ntnc 9600\ngps 4800\nnsr n\nrelay y\n"
                                "widemax 4\nwidetotal 6\ndupewin 45\nnonaprs n\n");
  ASSERT_EQ(run.rc, 0) << run.out;
  EXPECT_EQ(run.out, "Configuration items processed 17\n");
  const std::uint8_t want[CONF_REC_SIZE] = {
      0x00, 0x96, 0x00, 0x00,                          // host 38400
      0xC0, 0x12, 0x00, 0x00,                          // gps 4800
      0x80, 0x25, 0x00, 0x00,                          // tnc 9600
      0xDA, 0x80, 0x35, 0x42,                          // 45:22:33
      0x00, 0x00, 0xCE, 0xC2,                          // -103:00:00
      'K',  'D',  '0',  'X',  'Y',  'Z',  0x00, 0x00,  // call
      0x0F, 0x00,                                      // ssid 017
      0x04, 0x00, 0x06, 0x00,                          // wide max, wide total
      0x01, 0x00, 0x00, 0x00, 0x00, 0x00,              // relay, nsr, have gps
      0x2D, 0x00,                                      // dupe window 45
      0x01, 0x00, 0x00, 0x00, 0x01, 0x00,              // log, halt, drop mangled
      0x01, 0x00, 0x00, 0x00,                          // fix valid, pass non-APRS
      0x70, 0x00, 0x02, 0x00,                          // implicit 'p', rule count kept
  };
  const ConfBytes got = conf_encode(cfg.conf_rec);
  for (std::size_t i = 0; i < CONF_REC_SIZE; ++i) {
    EXPECT_EQ(got[i], want[i]) << "byte " << i;
  }
}

}  // namespace
