// --port-check, and the advice after a failed connect, of the real program on
// a pseudo-terminal: free, and held by this test (a flock, as a second copy
// of the utility holds a port).
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "support/pty_pair.h"
#include "support/run_program.h"
#include "support/scratch_dir.h"
#include "support/terminal_program.h"

namespace {

constexpr int WAIT_SECONDS = 30;

class PortCheck : public testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args, const std::string& input = "") {
    std::vector<std::string> argv{KTREVA_HOST_PATH, "--com", "1=" + pty_.path};
    argv.insert(argv.end(), args.begin(), args.end());
    return run_program(argv, input, dir_.path(), WAIT_SECONDS);
  }
  void hold() { ASSERT_EQ(::flock(pty_.slave.get(), LOCK_EX | LOCK_NB), 0); }
  // What the advice says of this test process.
  std::string held_by_us() const { return " (pid " + std::to_string(::getpid()) + ")"; }

  PtyPair pty_;
  ScratchDir dir_;
};

TEST_F(PortCheck, AFreePortOpensWithEveryStepReportedAndNothingWritten) {
  const RunResult r = run({"--port-check", "COM1"});
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  for (const std::string& step :
       {"Checking COM1: " + pty_.path + "\n", std::string("  open: done\n"),
        std::string("  line settings: done\n"), std::string("  timeouts: done\n"),
        std::string("  close: done\nThe port can be opened; nothing was written to it.\n")}) {
    EXPECT_NE(r.out.find(step), std::string::npos) << step << "\n" << r.out;
  }
  EXPECT_FALSE(PtyPair::readable(pty_.master.get(), 200));
}

TEST_F(PortCheck, AHeldPortGivesTheHolderAndTheSystemsReason) {
  hold();
  const RunResult r = run({"--port-check", pty_.path});
  EXPECT_EQ(r.exit_status, 1) << r.out << r.err;
  for (const std::string& line :
       {std::string("  in use by "), held_by_us(),
        "\a\aError: cannot open com port " + pty_.path + ": Device or resource busy\n",
        std::string("  open: failed: Device or resource busy"),
        std::string("The port cannot be opened.\n")}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
}

TEST_F(PortCheck, AFailedConnectAdvisesOnATerminalOnly) {
  hold();
  TerminalProgram program({KTREVA_HOST_PATH, "--com", "1=" + pty_.path}, dir_.path(), "xterm");
  ASSERT_TRUE(program.wait_for("Command> ", WAIT_SECONDS)) << visible(program.screen());
  program.type("connect 1\r");
  EXPECT_TRUE(program.wait_for(
      "Error: could not open COM port COM1\r\nCOM1 is " + pty_.path + ", in use by ", WAIT_SECONDS))
      << visible(program.screen());
  EXPECT_TRUE(program.wait_for(held_by_us(), WAIT_SECONDS)) << visible(program.screen());
  program.type("x\r");
  EXPECT_EQ(program.wait_exit(WAIT_SECONDS), 0);

  const RunResult piped = run({}, "connect 1\nx\n");
  EXPECT_NE(piped.out.find("Error: could not open COM port COM1\n"), std::string::npos);
  EXPECT_EQ(piped.err, "");
}

}  // namespace
