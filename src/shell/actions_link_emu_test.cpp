#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/conf_rec.h"
#include "emu_bench.h"
#include "shell/shell.h"
#include "support/scratch_dir.h"

namespace {

// The shell with its link on the stand-in device, answers taken from `input`.
struct ShellBench {
  explicit ShellBench(std::string input, EmuOptions options = {})
      : bench(std::move(options)), con(std::move(input)), shell(con) {
    shell.link.env = bench.env();
  }
  void run(const std::string& line) {
    char buf[LINE_SIZE];
    std::snprintf(buf, sizeof buf, "%s", line.c_str());
    run_line(shell, buf);
  }
  // Every byte the device received from the utility.
  std::string sent() {
    const auto& r = bench.model().received();
    return {r.begin(), r.end()};
  }

  EmuBench bench;
  Console con;
  Shell shell;
};

const std::string CONF_QUESTION =
    "\a\aWarning: Configuration file has not yet been processed!\n"
    "Do you want to use the Default Configuration? (yes|no) [no]: ";
const std::string RULES_QUESTION =
    "\n\a\aWarning: Rules file has not yet been processed!\n"
    "Do you  want to use the Implicit Rule only without specific rules?\n(yes|no) [no]: ";
const std::string ABORTED = "\a\aDownload Aborted!\n";
const std::string DONE =
    "Downloading Configuration succeeded\nDownloading Rules succeeded\n"
    "\a\aPlease Power OFF the kTrevanodi and power it back on to RESET it.\nDisconnected\n";

TEST(ActionDownload, Questions) {
  struct Case {
    const char* answers;
    std::string output;
    bool sent;
  } cases[] = {
      {"yes\nY\n", CONF_QUESTION + RULES_QUESTION + DONE, true},
      {"Yup\nyes\n", CONF_QUESTION + RULES_QUESTION + DONE, true},
      {"no\n", CONF_QUESTION + ABORTED, false},
      {"\n", CONF_QUESTION + ABORTED, false},
      {"", CONF_QUESTION + "\n" + ABORTED, false},
      {"y\nN\n", CONF_QUESTION + RULES_QUESTION + ABORTED, false},
      {"y\n", CONF_QUESTION + RULES_QUESTION + "\n" + ABORTED, false},
  };
  for (const Case& c : cases) {
    ShellBench b(c.answers);
    b.run("connect 1");
    b.con.clear_output();
    b.run("download");
    EXPECT_EQ(b.con.output(), c.output) << c.answers;
    EXPECT_EQ(b.sent().find("download\r\n") != std::string::npos, c.sent) << c.answers;
    EXPECT_EQ(b.shell.link.connected, c.sent ? 0 : 1) << c.answers;
  }
}

// A file that fails part-way leaves defaults plus its first lines in the
// record; the download must not send that without asking, and sends the
// defaults when told to go on.
TEST(ActionDownload, AFailedConfigurationIsNeverSent) {
  ScratchDir dir;
  ShellBench b("yes\n");
  b.shell.config.conf_processed = 1;
  b.shell.rules.rules_processed = 1;
  b.shell.config.conf_rec.implicit_action = IMPLICIT_DROP;
  b.run("configure " + dir.write("bad.txt", "call n0call\nssid 99\n"));
  EXPECT_EQ(b.shell.config.conf_processed, 0);
  b.run("connect 1");
  b.con.clear_output();
  b.run("download");
  EXPECT_EQ(b.con.output(), CONF_QUESTION + DONE);
  ConfRec want = conf_default_rec;
  want.implicit_action = IMPLICIT_DROP;
  const ConfBytes bytes = conf_encode(want);
  EXPECT_EQ(b.bench.model().download().conf, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The rate comes from the configuration: the GPS rate when there is a GPS,
// else the Host rate.
TEST(ActionConnect, DefaultRateFromTheConfiguration) {
  ShellBench b("");
  b.shell.config.conf_rec.have_gps = 0;
  b.shell.config.conf_rec.host_baud = 38400;
  b.shell.config.conf_rec.gps_baud = 4800;
  b.run("connect com1");
  EXPECT_EQ(b.con.output().rfind("Connecting at 38400...\n", 0), 0U);
  EXPECT_EQ(b.shell.link.connected, 1);
  b.run("disconnect");
  b.shell.config.conf_rec.have_gps = 1;
  b.con.clear_output();
  b.run("connect 1");
  EXPECT_EQ(b.con.output().rfind("Connecting at 4800...\n", 0), 0U);
  EXPECT_EQ(b.bench.model().session(), 2);
}

TEST(ActionBaud, TellsTheDeviceAndChecksItsPrompt) {
  ShellBench b("");
  b.run("connect 1 9600");
  b.con.clear_output();
  b.run("baud 19200");
  EXPECT_EQ(b.con.output(), "Connecting at 19200...\nConnected at 19200\n");
  EXPECT_EQ(b.bench.model().host_rates(), std::vector<std::uint32_t>{19200});
  EXPECT_NE(b.sent().find("host 19200\r\r"), std::string::npos);
}

// Only an answer that begins with y or Y updates; the question comes before
// the file is looked at.
TEST(ActionFirmware, AnswerDecides) {
  ScratchDir dir;
  const std::string file = dir.write("fw.hex", ":00000001FF\n");
  for (const char* answer : {"Y\n\n", "yes\n\n", "n\n", "\n", ""}) {
    ShellBench b(answer);
    b.run("firmware 2 " + file);
    const bool yes = answer[0] == 'Y' || answer[0] == 'y';
    EXPECT_EQ(b.bench.model().upload().finished, yes) << answer;
    const std::string& out = b.con.output();
    EXPECT_EQ(out.rfind("\a\aWARNING! This will alter the kTrevaNodi firmware!\n", 0), 0U);
    const std::string ending =
        yes ? "Download these to the kTrevaNodi!\n" : "kTrevaNodi Firmware will NOT be updated!\n";
    EXPECT_EQ(out.substr(out.size() - ending.size()), ending) << answer;
  }
}

}  // namespace
