#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "firmware/firmware.h"
#include "firmware/firmware_progress.h"
#include "support/emu/link_bench.h"
#include "support/not_file_names.h"
#include "support/scratch_dir.h"

namespace {

const std::string WARNING =
    "\n\a\aWARNING! The kTrevaNodi Firmware is about to be updated!\n"
    "This will take less than 5 minutes.\n"
    "Do NOT interrupt the process once started!\n"
    "If power is interrupted during this process you may not be able\n"
    "to communicate with the kTrevaNodi due to firmware corruption.\n"
    "If this happens correct the power problem and restart this entire process.\n\n"
    "Type the Enter key when you are ready to continue..."
    "\nTo begin TURN ON the kTrevaNodi or CYCLE THE POWER if it is already on.\n"
    "\a\aYou have 20 seconds to do this...";

// Two comment lines, four records; the bench's clock stands still without
// pacing, so every progress line shows 0 s.
const std::string HEX =
    "; firmware 1.0\n"
    ":0400000001020304F2\n"
    "\n"
    ":10001000FFFEFDFAF5F0EAE2DAD0C6BCB0A5988C96\n"
    ":020000040001F9\n"
    ":00000001FF\n";
const std::vector<std::string> RECORDS = {":0400000001020304F2",
                                          ":10001000FFFEFDFAF5F0EAE2DAD0C6BCB0A5988C96",
                                          ":020000040001F9", ":00000001FF"};

std::string progress(std::uint32_t done) { return firmware_progress_text(0, done, 4); }

struct Upload {
  FirmwareResult result;
  std::string output;
  std::vector<std::string> lines;  // as the device received them
  int sessions;
};

Upload upload(EmuOptions options, const std::string& hex = HEX) {
  ScratchDir dir;
  LinkBench b(std::move(options), "\n");
  const FirmwareResult rc = firmware(b.link, 3, dir.write("fw.hex", hex).c_str());
  Upload u{rc, b.con.output(), {}, b.bench.model().session()};
  for (const auto& line : b.bench.model().upload().lines) u.lines.push_back(line.text);
  EXPECT_FALSE(b.link.port_handle.is_open());
  EXPECT_EQ(b.link.connected, 0);
  EXPECT_STREQ(b.link.port_name, u.sessions != 0 ? "COM3" : "COM1");
  return u;
}

TEST(Firmware, CleanUploadSendsEveryRecordInOrder) {
  const Upload u = upload({});
  EXPECT_EQ(u.result, FirmwareResult::kOk);
  EXPECT_EQ(u.output,
            WARNING + "\n\n" + progress(1) + progress(2) + progress(3) + progress(4) + "\n");
  EXPECT_EQ(u.lines, RECORDS);
  // Saved by Notepad as "UTF-8 with BOM": the same records, the same lines.
  const Upload bom = upload({}, "\xEF\xBB\xBF" + HEX);
  EXPECT_EQ(bom.output, u.output);
  EXPECT_EQ(bom.lines, RECORDS);
}

// Every refusal counts toward the limit of ten over the whole file.
TEST(Firmware, RefusalsAreResentUntilTheTenth) {
  const std::string line2 = " on Line 2, resending.\n";
  const std::string line4 = " on Line 4, resending.\n";
  const Upload nine = upload({.faults = {record_replies(1, {SILENCE, 0x11, 0x12, 0x15, 0x00}),
                                         record_replies(2, {0x41, 0x15, SILENCE, 0x12})}});
  EXPECT_EQ(nine.result, FirmwareResult::kOk);
  EXPECT_EQ(nine.output, WARNING + "\n\n" + "\n\a\aError: Firmware updating error: timed out" +
                             line2 +
                             "\n\a\aError: Firmware updating error: didn't get start character" +
                             line2 + "\n\a\aError: Firmware updating error: bad record checksum" +
                             line2 + "\n\a\aError: Firmware updating error: validation" + line2 +
                             "\n\a\aError: Firmware updating error: timed out" + line2 +
                             progress(1) + "\n\a\aError: Firmware updating error: unknown" + line4 +
                             "\n\a\aError: Firmware updating error: validation" + line4 +
                             "\n\a\aError: Firmware updating error: timed out" + line4 +
                             "\n\a\aError: Firmware updating error: bad record checksum" + line4 +
                             progress(2) + progress(3) + progress(4) + "\n");
  EXPECT_EQ(nine.lines.size(), RECORDS.size() + 9);

  const Upload ten = upload({.faults = {record_replies(1, {0x15, 0x15, 0x15, 0x15, 0x15}),
                                        record_replies(3, {0x15, 0x15, 0x15, 0x15, 0x18})}});
  EXPECT_EQ(ten.result, FirmwareResult::kTooManyErrors);
  const std::string limit =
      "\n\a\aError: Firmware updating error: validation on Line 5, resending.\n"
      "\n\a\aError: maximum Firmware updating errors (10) encountered- aborting!\n";
  EXPECT_EQ(ten.output.substr(ten.output.size() - limit.size()), limit);
  EXPECT_EQ(ten.lines.size(), 12U);
}

TEST(Firmware, FailuresEndTheUpload) {
  const std::string after_ident = WARNING + "\n\n";
  struct Case {
    EmuOptions options;
    FirmwareResult result;
    std::string output;
  } cases[] = {
      {{.faults = {record_replies(3, {0x17})}},
       FirmwareResult::kBufferFull,
       after_ident + progress(1) + progress(2) +
           "\n\a\aError: Firmware updating error: buffer full on Line 5- aborting!\n"},
      {{.faults = {record_replies(1, {0x18})}},
       FirmwareResult::kFatalRefusal,
       after_ident + "\n\a\aError: Firmware updating error: fatal on Line 2- aborting!\n"},
      {{.faults = {no_enq()}},
       FirmwareResult::kNoPrompt,
       WARNING + "\n\a\aError: did not receive the kTrevaNodi Firmware prompt!\n"},
      {{.faults = {sync_replies({0x15})}},
       FirmwareResult::kNoSync,
       WARNING + "\n\a\aError: did not synchronize with the kTrevaNodi!\n"},
      {{.faults = {sync_replies({SILENCE})}},
       FirmwareResult::kNoSync,
       WARNING + "\n\a\aError: did not synchronize with the kTrevaNodi!\n"},
      {{.faults = {ident_replies({SILENCE})}},
       FirmwareResult::kIdentNotAcked,
       WARNING + "\n\a\aError: did not receive kTNoDi identifier acknowledgement!\n"},
  };
  for (const Case& c : cases) {
    const Upload u = upload(c.options);
    EXPECT_EQ(u.result, c.result);
    EXPECT_EQ(u.output, c.output) << static_cast<int>(c.result);
  }
}

TEST(Firmware, NothingReachesThePortBeforeTheFileIsVerified) {
  const Upload bad = upload({}, ":0400000001020304F3\n");
  EXPECT_EQ(bad.result, FirmwareResult::kVerifyFailed);
  EXPECT_EQ(bad.output,
            "\a\aError: checksum mismatch (0x01) for line 1 in Firmware file!\n"
            "\a\aError: Firmware file has some kind of error!\n");
  EXPECT_EQ(bad.sessions, 0);

  ScratchDir dir;
  for (const std::string& name : not_file_names(dir)) {
    LinkBench refused;
    EXPECT_EQ(firmware(refused.link, 3, name.c_str()), FirmwareResult::kVerifyFailed) << name;
    EXPECT_EQ(refused.con.output(),
              "\a\aError: cannot read Firmware file!\n"
              "\a\aError: Firmware file has some kind of error!\n");
    EXPECT_EQ(refused.bench.model().session(), 0) << name;
  }

  LinkBench b;
  b.link.env.open_device = [](const char*) -> std::unique_ptr<PortDevice> {
    errno = ENOENT;
    return nullptr;
  };
  EXPECT_EQ(firmware(b.link, 3, dir.write("fw.hex", HEX).c_str()), FirmwareResult::kPortNotOpened);
  EXPECT_EQ(b.con.output(),
            "\a\aError: cannot open com port COM3: No such file or directory\n"
            "\a\aError: could not open COM port COM3\n");
}

// The wrong port, carrying a GPS's sentences: given up, not waited on forever.
TEST(Firmware, ALineThatNeverGoesQuietIsGivenUp) {
  ScratchDir dir;
  std::chrono::milliseconds clock{0};
  Console con("");
  Link link(con);
  chatter_on(link, clock);
  EXPECT_EQ(firmware(link, 2, dir.write("fw.hex", HEX).c_str()), FirmwareResult::kNeverQuiet);
  EXPECT_EQ(con.output(),
            "\a\aError: the line on port COM2 never went quiet: is this the kTrevaNodi's port?\n");
  EXPECT_FALSE(link.port_handle.is_open());
}

}  // namespace
