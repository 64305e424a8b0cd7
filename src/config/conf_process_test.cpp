#include "config/conf_process.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

#include "support/conf_run.h"
#include "support/not_file_names.h"
#include "support/scratch_dir.h"
#include "text/text_file.h"

namespace {

ConfRec run_ok(std::string_view text) {
  ConfigState cfg;
  const ParseRun run = run_conf(cfg, text);
  EXPECT_EQ(run.rc, 0) << run.out;
  return cfg.conf_rec;
}

bool same_record(const ConfRec& a, const ConfRec& b) { return conf_encode(a) == conf_encode(b); }

TEST(ConfProcess, NullPathIsRefused) {
  ConfigState cfg;
  Console con("");
  EXPECT_EQ(conf_process(con, cfg, nullptr), COMPILER_NO_PATH);
  EXPECT_EQ(con.output(), "conf_process: Error: param rfp is invalid\n");
}

TEST(ConfProcess, FailedOpenLeavesEverythingUnchanged) {
  ConfigState cfg;
  cfg.conf_rec.host_baud = 4800;
  cfg.conf_rec.implicit_action = 'x';
  cfg.conf_rec.rule_count = 9;
  const ConfRec before = cfg.conf_rec;
  ScratchDir dir;
  const std::string path = dir.path() + "/missing.txt";
  Console con("");
  EXPECT_EQ(conf_process(con, cfg, path.c_str()), COMPILER_UNREADABLE);
  EXPECT_EQ(con.output(), "\a\aError: cannot open " + path + "\n");
  EXPECT_TRUE(same_record(cfg.conf_rec, before));
  EXPECT_EQ(cfg.conf_processed, 0);
}

// A file that fails once open was not processed, whatever came before it: a
// stream that refuses to be read stands for an I/O error in mid-file.
TEST(ConfProcess, ReadErrorFailsAndClearsTheProcessedFlag) {
  for (const std::int32_t processed : {0, 1}) {
    ConfigState cfg;
    cfg.conf_processed = processed;
    cfg.conf_rec.host_baud = 4800;
    cfg.conf_rec.implicit_action = IMPLICIT_DROP;
    cfg.conf_rec.rule_count = 4;
    ScratchDir dir;
    const FilePtr write_only = dir.unreadable_stream("station.txt", "host 4800\n");
    if (write_only == nullptr) GTEST_SKIP() << "no stream here fails its reads";
    const std::string path = dir.path("station.txt");
    Console con("");
    EXPECT_EQ(conf_compile_file(con, cfg, path.c_str(), write_only.get()), COMPILER_UNREADABLE);
    EXPECT_EQ(con.output(), "\a\aError: cannot read " + path + "\n");
    EXPECT_EQ(cfg.conf_processed, 0);
    ConfRec want = conf_default_rec;
    want.implicit_action = IMPLICIT_DROP;
    want.rule_count = 4;
    EXPECT_TRUE(same_record(cfg.conf_rec, want));
  }
}

// A folder or a device typed for the file is refused before the defaults go
// in: the configuration compiled before stays, processed flag and all.
TEST(ConfProcess, ANameThatIsNoFileChangesNothing) {
  ScratchDir dir;
  for (const std::string& name : not_file_names(dir)) {
    ConfigState cfg;
    ASSERT_EQ(run_conf(cfg, "host 4800\ncall ab1cd\n").rc, 0);
    cfg.conf_rec.implicit_action = IMPLICIT_DROP;
    cfg.conf_rec.rule_count = 3;
    const ConfRec before = cfg.conf_rec;
    Console con("");
    EXPECT_EQ(conf_process(con, cfg, name.c_str()), COMPILER_UNREADABLE) << name;
    EXPECT_EQ(con.output(), "\a\aError: cannot read " + name + "\n");
    EXPECT_TRUE(same_record(cfg.conf_rec, before)) << name;
    EXPECT_EQ(cfg.conf_processed, 1) << name;
  }
}

TEST(ConfProcess, EmptyAndCommentOnlyFilesSucceedWithNoItems) {
  for (const char* text : {"", "\n\n", "# station\n; note\n/ slash\n  \t, \n   # indented\n"}) {
    ConfigState cfg;
    cfg.conf_rec.gps_baud = 4800;
    const ParseRun run = run_conf(cfg, text);
    EXPECT_EQ(run.rc, 0);
    EXPECT_EQ(run.out, "Configuration items processed 0\n");
    EXPECT_EQ(cfg.conf_processed, 1);
    EXPECT_TRUE(same_record(cfg.conf_rec, conf_default_rec));
  }
}

TEST(ConfProcess, CountsItemsAndKeepsTheLastValue) {
  ConfigState cfg;
  const ParseRun run = run_conf(cfg,
                                "# first\nHOST 9600\nhost 19200 # again\n\ngps 4800\r\n"
                                "relay n\nrelay y;trailing\ncall k1abc");
  EXPECT_EQ(run.rc, 0);
  EXPECT_EQ(run.out, "Configuration items processed 6\n");
  EXPECT_EQ(cfg.conf_rec.host_baud, 19200u);
  EXPECT_EQ(cfg.conf_rec.gps_baud, 4800u);
  EXPECT_EQ(cfg.conf_rec.relay, 1);
  EXPECT_STREQ(cfg.conf_rec.station_call, "K1ABC");
}

TEST(ConfProcess, ArgumentValuesAsStored) {
  EXPECT_EQ(run_ok("relay maybe").relay, 0);
  EXPECT_EQ(run_ok("havegps True").have_gps, 1);
  EXPECT_EQ(run_ok("nonaprs pass").pass_nonaprs, 1);
  EXPECT_EQ(run_ok("relay pass").relay, 0);
  EXPECT_EQ(run_ok("log n").log_port, 0);
  EXPECT_EQ(run_ok("dropmangld 0").drop_mangled, 0);
  EXPECT_EQ(run_ok("haltonerr e").halt_on_error, 1);
  EXPECT_EQ(run_ok("fixvalid no").fix_valid, 0);
  EXPECT_EQ(run_ok("nsr 1").nsr, 1);
  EXPECT_EQ(run_ok("ssid 0x0f").station_ssid, 15);
  EXPECT_EQ(run_ok("ssid 017").station_ssid, 15);
  EXPECT_EQ(run_ok("ssid 9\nssid abc").station_ssid, 0);
  EXPECT_EQ(run_ok("widemax 3.9").wide_max, 3);
  EXPECT_EQ(run_ok("widet 1").wide_total, 1);
  EXPECT_EQ(run_ok("dupewin 5").dupe_window, 5);
  EXPECT_EQ(run_ok("dupewin 500").dupe_window, 500);
  EXPECT_EQ(run_ok("dupewin 30 seconds").dupe_window, 30);
  EXPECT_EQ(run_ok("host 115200").host_baud, 115200u);
  EXPECT_EQ(run_ok("tnc,110").tnc_baud, 110u);
  EXPECT_EQ(run_ok("HOST 9600").host_baud, 9600u);
}

TEST(ConfProcess, CallSignIsCopiedWithItsTerminatorOverTheDefault) {
  const ConfRec abc = run_ok("call abc");
  EXPECT_EQ(0, std::memcmp(abc.station_call, "ABC\0et\0\0", 8));
  const ConfRec four = run_ok("call wb1z");
  EXPECT_EQ(0, std::memcmp(four.station_call, "WB1Z\0t\0\0", 8));
  const ConfRec six = run_ok("call n0Call");
  EXPECT_EQ(0, std::memcmp(six.station_call, "N0CALL\0\0", 8));
}

struct ErrorCase {
  const char* text;
  int rc;
  const char* out;
};

TEST(ConfProcess, ErrorsNameTheLineAndEndTheParse) {
  const ErrorCase cases[] = {
      {"h 9600", CONF_BAD_KEYWORD, "\a\aError: line 1: Ambiguous command: h: h 9600\n"},
      {"ha y", CONF_BAD_KEYWORD, "\a\aError: line 1: Ambiguous command: ha: ha y\n"},
      {"d 30", CONF_BAD_KEYWORD, "\a\aError: line 1: Ambiguous command: d: d 30\n"},
      {"n y", CONF_BAD_KEYWORD, "\a\aError: line 1: Ambiguous command: n: n y\n"},
      {"wide 3", CONF_BAD_KEYWORD, "\a\aError: line 1: Ambiguous command: wide: wide 3\n"},
      {"hostbaud 9600", CONF_BAD_KEYWORD,
       "\a\aError: line 1: command hostbaud invalid: hostbaud 9600\n"},
      {"relay#yes", CONF_BAD_KEYWORD, "\a\aError: line 1: command relay#yes invalid: relay#yes\n"},
      {"relay # yes", CONF_ARG_IN_COMMENT,
       "\a\aError: line 1: missing y | n argument: relay # yes\n"},
      {"relay", CONF_BAD_ARG, "\a\aError: line 1: missing y | n argument: relay\n"},
      {"relay #", CONF_BAD_ARG, "\a\aError: line 1: missing y | n argument: relay #\n"},
      {"ssid 16", CONF_BAD_ARG,
       "\a\aError: line 1: invalid SSID argument range [0..15]: 16: ssid 16\n"},
      {"ssid -0x1", CONF_BAD_ARG,
       "\a\aError: line 1: invalid SSID argument range [0..15]: -1: ssid -0x1\n"},
      {"ssid ;3", CONF_ARG_IN_COMMENT, "\a\aError: line 1: missing SSID argument: ssid ;3\n"},
      {"widemax 7", CONF_BAD_ARG,
       "\a\aError: line 1: invalid n argument range [1..6]: 7: widemax 7\n"},
      {"widetotal 0", CONF_BAD_ARG,
       "\a\aError: line 1: invalid n argument range [1..6]: 0: widetotal 0\n"},
      {"widetotal", CONF_BAD_ARG, "\a\aError: line 1: missing n argument: widetotal\n"},
      {"dupewin 4", CONF_BAD_ARG,
       "\a\aError: line 1: invalid seconds argument range [5..500]: 4: dupewin 4\n"},
      {"dupewin 501", CONF_BAD_ARG,
       "\a\aError: line 1: invalid seconds argument range [5..500]: 501: dupewin 501\n"},
      {"dupewin /5", CONF_ARG_IN_COMMENT,
       "\a\aError: line 1: missing seconds argument: dupewin /5\n"},
      {"host 1000", CONF_BAD_ARG, "\a\aError: line 1: invalid Baud argument: 1000: host 1000\n"},
      {"host 0", CONF_BAD_ARG,
       "get_baud: Error: invalid baud: 0\n"
       "\a\aError: line 1: invalid Baud argument: 0: host 0\n"},
      {"gps fast", CONF_BAD_ARG,
       "get_baud: Error: invalid baud: 0\n"
       "\a\aError: line 1: invalid Baud argument: 0: gps fast\n"},
      {"tnc 4294976896", CONF_BAD_ARG,
       "\a\aError: line 1: invalid Baud argument: 2147483647: tnc 4294976896\n"},
      {"tnc", CONF_BAD_ARG, "\a\aError: line 1: missing Baud argument: tnc\n"},
      {"call abcdefg", CONF_BAD_ARG,
       "\a\aError: line 1: invalid Call Sign argument: too long: call abcdefg\n"},
      {"call\t# none", CONF_ARG_IN_COMMENT,
       "\a\aError: line 1: missing Call Sign argument: call\t# none\n"},
      {"position", CONF_BAD_ARG,
       "\a\aError: line 1: missing Station Latitude argument: position\n"},
      {"#\n;\n/\n# four\ndupewin 1\nhost 9600\n", CONF_BAD_ARG,
       "\a\aError: line 5: invalid seconds argument range [5..500]: 1: dupewin 1\n"},
      {"\r\n\nrelay y\r\nfoo bar\r\n", CONF_BAD_KEYWORD,
       "\a\aError: line 4: command foo invalid: foo bar\n"},
  };
  for (const ErrorCase& c : cases) {
    ConfigState cfg;
    const ParseRun run = run_conf(cfg, c.text);
    EXPECT_EQ(run.rc, c.rc) << c.text;
    EXPECT_EQ(run.out, c.out) << c.text;
    EXPECT_EQ(cfg.conf_processed, 0) << c.text;
  }
}

TEST(ConfProcess, FailureKeepsDefaultsPlusValuesStoredBeforeAndIsNotProcessed) {
  ConfigState cfg;
  cfg.conf_processed = 1;
  cfg.conf_rec.tnc_baud = 4800;  // from an earlier file: the defaults replace it
  const ParseRun run = run_conf(cfg, "call ab1c\nssid 3\nwidemax 9\nnsr y\n");
  EXPECT_EQ(run.rc, CONF_BAD_ARG);
  ConfRec want = conf_default_rec;
  std::memcpy(want.station_call, "AB1C", 5);
  want.station_ssid = 3;
  EXPECT_TRUE(same_record(cfg.conf_rec, want));
  EXPECT_EQ(cfg.conf_processed, 0);
}

TEST(ConfProcess, RuleSetFieldsSurvive) {
  struct Case {
    std::uint16_t action_before;
    std::uint16_t action_after;
  };
  for (const Case c : {Case{IMPLICIT_DROP, IMPLICIT_DROP}, Case{IMPLICIT_PASS, IMPLICIT_PASS},
                       Case{'x', IMPLICIT_PASS}, Case{0, IMPLICIT_PASS}}) {
    for (const char* text : {"relay n\n", "relay n\nbogus\n"}) {
      ConfigState cfg;
      cfg.conf_rec.implicit_action = c.action_before;
      cfg.conf_rec.rule_count = 42;
      run_conf(cfg, text);
      EXPECT_EQ(cfg.conf_rec.implicit_action, c.action_after) << c.action_before << " " << text;
      EXPECT_EQ(cfg.conf_rec.rule_count, 42) << text;
      EXPECT_EQ(cfg.conf_rec.relay, 0) << text;
    }
  }
}

// A line longer than the buffer is read in 255-character pieces, each counted
// and parsed as a line of its own.
TEST(ConfProcess, LongLineIsReadInPieces) {
  std::string first = "relay n";
  first.resize(255, ' ');
  const std::string text = first + "ssid 99\nwidemax 2\n";
  ConfigState cfg;
  ParseRun run = run_conf(cfg, text);
  EXPECT_EQ(run.rc, CONF_BAD_ARG);
  EXPECT_EQ(run.out, "\a\aError: line 2: invalid SSID argument range [0..15]: 99: ssid 99\n");
  EXPECT_EQ(cfg.conf_rec.relay, 0);

  // A piece cut right before its newline leaves the newline as a blank line.
  std::string exact = "# " + std::string(253, 'c');
  run = run_conf(cfg, exact + "\nnsr y\nbad\n");
  EXPECT_EQ(run.out, "\a\aError: line 4: command bad invalid: bad\n");

  // The whole piece comes back in the message.
  std::string wide = "relay " + std::string(300, 'y');
  run = run_conf(cfg, wide + "\n");
  EXPECT_EQ(run.out, "\a\aError: line 2: command " + std::string(51, 'y') +
                         " invalid: " + std::string(51, 'y') + "\n");
}

// The record as the device receives it, written out byte by byte.
TEST(ConfProcess, RecordBytesAfterAFullConfiguration) {
  ConfigState cfg;
  cfg.conf_rec.implicit_action = IMPLICIT_DROP;
  cfg.conf_rec.rule_count = 7;
  const ParseRun run = run_conf(cfg,
                                "host 38400\ngps 4800\ntnc 115200\ncall ab1c\nssid 0x0a\n"
                                "widemax 2\nwidetotal 5\nrelay n\nnsr y\nhavegps n\ndupewin 300\n"
                                "log n\nhaltonerr y\ndropmangld n\nfixvalid n\nnonaprs p\n");
  ASSERT_EQ(run.rc, 0);
  EXPECT_EQ(run.out, "Configuration items processed 16\n");
  const std::uint8_t want[CONF_REC_SIZE] = {
      0x00, 0x96, 0x00, 0x00,                         // host 38400 = 0x9600
      0xC0, 0x12, 0x00, 0x00,                         // gps 4800 = 0x12C0
      0x00, 0xC2, 0x01, 0x00,                         // tnc 115200 = 0x1C200
      0x00, 0x00, 0x20, 0x42,                         // default latitude 40.0
      0x00, 0x80, 0xD2, 0xC2,                         // default longitude -105.25
      'A',  'B',  '1',  'C',  0x00, 't', 0x00, 0x00,  // over "notset"
      0x0A, 0x00,                                     // ssid
      0x02, 0x00,                                     // wide max
      0x05, 0x00,                                     // wide total
      0x00, 0x00,                                     // relay
      0x01, 0x00,                                     // nsr
      0x00, 0x00,                                     // have gps
      0x2C, 0x01,                                     // dupe window 300 = 0x12C
      0x00, 0x00,                                     // log port
      0x01, 0x00,                                     // halt on error
      0x00, 0x00,                                     // drop mangled
      0x00, 0x00,                                     // fix valid
      0x01, 0x00,                                     // pass non-APRS
      0x64, 0x00,                                     // implicit action kept: 'd'
      0x07, 0x00,                                     // rule count kept
  };
  const ConfBytes got = conf_encode(cfg.conf_rec);
  for (std::size_t i = 0; i < CONF_REC_SIZE; ++i) {
    EXPECT_EQ(got[i], want[i]) << "byte " << i;
  }
}

}  // namespace
