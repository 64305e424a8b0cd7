#include "fault_forms.h"

#include <gtest/gtest.h>

#include "emu_cli.h"

namespace {

struct FormCase {
  const char* text;
  FaultKind kind;
  int index;
  ReplyScript replies;
  int session;
};

TEST(FaultForms, ReadsEveryForm) {
  const FormCase cases[] = {
      {"nak:2:3", FaultKind::kPacketReplies, 2, {0x15, 0x15, 0x15}, 0},
      {"packet:4:none,0x00,66", FaultKind::kPacketReplies, 4, {SILENCE, 0x00, 0x42}, 0},
      {"record:7:dc1,dc2,nak,etb,can,ack",
       FaultKind::kRecordReplies,
       7,
       {0x11, 0x12, 0x15, 0x17, 0x18, 0x06},
       0},
      {"sync:none@2", FaultKind::kSyncReplies, 0, {SILENCE}, 2},
      {"ident:0x15", FaultKind::kIdentReplies, 0, {0x15}, 0},
      {"no-enq", FaultKind::kNoEnq, 0, {}, 0},
      {"no-prompt@1", FaultKind::kNoPrompt, 0, {}, 1},
      {"hangup:packet:5", FaultKind::kHangUp, 5, {}, 0},
      {"hangup:greeting", FaultKind::kHangUp, 0, {}, 0},
      {"connected:19200", FaultKind::kConnectedRate, 0, {}, 0},
      {"greeting:nul-ff", FaultKind::kGreeting, 0, {}, 0},
  };
  for (const FormCase& c : cases) {
    Fault f;
    std::string error;
    ASSERT_TRUE(parse_fault(c.text, f, error)) << c.text << ": " << error;
    EXPECT_EQ(f.kind, c.kind) << c.text;
    EXPECT_EQ(f.index, c.index) << c.text;
    EXPECT_EQ(f.replies, c.replies) << c.text;
    EXPECT_EQ(f.session, c.session) << c.text;
  }
}

TEST(FaultForms, RefusesWhatIsNotAForm) {
  for (const char* text :
       {"", "nak", "nak:0:1", "nak:2", "packet:1:ok", "packet:1:256", "hangup:packet",
        "hangup:sync:1", "greeting:loud", "no-enq:1", "sync:ack@0", "connected:fast", "explode"}) {
    Fault f;
    std::string error;
    EXPECT_FALSE(parse_fault(text, f, error)) << text;
    EXPECT_NE(error, "") << text;
  }
}

TEST(EmuArgs, OptionsWithAndWithoutEquals) {
  const char* argv[] = {"ktreva-emu",      "--link", "/tmp/kt0", "--power-on-ms=50", "--pace",
                        "--turnaround-us", "300",    "--fault",  "nak:1:2",          "--no-stdin"};
  EmuCli cli;
  std::string error;
  ASSERT_EQ(parse_emu_args(10, argv, cli, error), 0) << error;
  EXPECT_EQ(cli.link_path, "/tmp/kt0");
  EXPECT_EQ(cli.options.power_on.count(), 50);
  EXPECT_TRUE(cli.options.pace);
  EXPECT_EQ(cli.options.turnaround.count(), 300);
  EXPECT_EQ(cli.options.faults.size(), 1u);
  EXPECT_FALSE(cli.read_stdin);
  const char* bad[] = {"ktreva-emu", "--enq-wait-ms", "-5"};
  EXPECT_EQ(parse_emu_args(3, bad, cli, error), -1);
  EXPECT_EQ(error, "bad value '-5' for --enq-wait-ms");
}

}  // namespace
