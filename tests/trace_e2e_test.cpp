// The wire trace and the session log end to end: ktreva-host with --trace
// against ktreva-emu, whose --wire record of every byte on its side is what
// the trace's TX and RX lines must add up to; and --log beside the console.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/background_program.h"
#include "support/run_program.h"
#include "support/scratch_dir.h"

namespace {

const std::string kExamples = std::string(KTREVA_SOURCE_DIR) + "/examples/";
const std::string kDownload = "configure " + kExamples + "station.txt\nrules " + kExamples +
                              "filters.txt\nconnect 1\n"
                              "download\nexit\n";

struct TraceLine {
  std::string head;  // what stands before the colon, the time left out
  std::string hex;   // the bytes, "06 15 ", empty for an event without bytes
};

std::vector<TraceLine> trace_lines(const std::string& text) {
  std::vector<TraceLine> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::size_t blank = line.find(' ');
    const std::size_t colon = line.find(':');
    TraceLine t{line.substr(blank + 1, colon - blank - 1), ""};
    if (colon != std::string::npos) t.hex = line.substr(colon + 2, line.find('|') - colon - 2);
    lines.push_back(t);
  }
  return lines;
}

// The bytes of every trace line of `kind` ("TX", "RX") in order.
std::string trace_bytes(const std::vector<TraceLine>& lines, const std::string& kind) {
  std::string bytes;
  for (const TraceLine& t : lines) {
    if (t.head.rfind(kind + " ", 0) == 0) bytes += t.hex;
  }
  return bytes;
}

// The bytes of every --wire line of `side` ("host", "device") in order.
std::string wire_bytes(const std::string& wire, const std::string& side) {
  std::string bytes;
  std::istringstream in(wire);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(side + " ", 0) == 0) bytes += line.substr(side.size() + 1) + " ";
  }
  return bytes;
}

struct TracedRun {
  RunResult run;
  std::vector<TraceLine> trace;
  std::string wire;
};

class TraceEndToEnd : public ::testing::Test {
 protected:
  TracedRun traced(std::vector<std::string> emu_args, const std::string& input,
                   const std::vector<std::string>& host_args = {}) {
    emu_args.insert(emu_args.begin(), {KTREVA_EMU_PATH, "--no-stdin", "--wire", "wire.txt"});
    BackgroundProgram emu(emu_args, dir_.path());
    const std::string pty = emu.first_line(30);
    EXPECT_FALSE(pty.empty());
    TracedRun r;
    std::vector<std::string> argv{KTREVA_HOST_PATH, "--com", "1=" + pty, "--trace", "trace.txt"};
    argv.insert(argv.end(), host_args.begin(), host_args.end());
    r.run = run_program(argv, input, dir_.path(), 120);
    emu.stop();
    r.trace = trace_lines(read_file(dir_.path("trace.txt")));
    r.wire = read_file(dir_.path("wire.txt"));
    return r;
  }
  ScratchDir dir_;
};

TEST_F(TraceEndToEnd, ADownloadsTraceHoldsEveryByteBothWaysAndTheResentPacketTwice) {
  const TracedRun r = traced({"--fault", "nak:2:1"}, kDownload);
  ASSERT_EQ(r.run.exit_status, 0) << r.run.out;
  ASSERT_FALSE(r.trace.empty());
  EXPECT_EQ(r.trace.front().head.rfind("open COM1 ", 0), 0u) << r.trace.front().head;
  EXPECT_EQ(r.trace.back().head, "close");
  EXPECT_EQ(trace_bytes(r.trace, "TX"), wire_bytes(r.wire, "host"));
  EXPECT_EQ(trace_bytes(r.trace, "RX"), wire_bytes(r.wire, "device"));

  // The NAKed packet: TX, RX of the NAK, the same TX again.
  int resends = 0;
  for (std::size_t i = 2; i < r.trace.size(); ++i) {
    if (r.trace[i].head.rfind("TX ", 0) == 0 && r.trace[i].hex == r.trace[i - 2].hex &&
        r.trace[i - 1].hex == "15 ") {
      ++resends;
    }
  }
  EXPECT_EQ(resends, 1);
}

TEST_F(TraceEndToEnd, AnExitWhileConnectedClosesThePortIntoTheTrace) {
  const TracedRun r = traced({}, "connect 1\nexit\n");
  EXPECT_EQ(r.run.exit_status, 0) << r.run.err;
  ASSERT_FALSE(r.trace.empty());
  EXPECT_EQ(r.trace.back().head, "close");
}

TEST_F(TraceEndToEnd, ASilentAckShowsItsTimeoutAndAHangUpEndsTheTraceWithItsReason) {
  const TracedRun silent = traced({"--fault", "packet:1:none"}, kDownload);
  bool timed_out = false;
  for (const TraceLine& t : silent.trace) {
    double took = 0;
    if (std::sscanf(t.head.c_str(), "RX 1 within 5012 ms took %lf s got 0, timed out", &took) ==
        1) {
      timed_out = took >= 5.0;
    }
  }
  EXPECT_TRUE(timed_out);

  const TracedRun hangup = traced({"--fault", "hangup:packet:3"}, kDownload, {"--log", "log.txt"});
  EXPECT_EQ(hangup.run.term_signal, SIGABRT);
  // The log ends as the screen did: with the report on standard error.
  const std::string log = read_file(dir_.path("log.txt"));
  ASSERT_NE(hangup.run.err.find("Return code 26"), std::string::npos) << hangup.run.err;
  ASSERT_GE(log.size(), hangup.run.err.size());
  EXPECT_EQ(log.substr(log.size() - hangup.run.err.size()), hangup.run.err);
  ASSERT_FALSE(hangup.trace.empty());
  EXPECT_NE(hangup.trace.back().head.find("RX 1 within 5012 ms"), std::string::npos);
  EXPECT_NE(hangup.trace.back().head.find(", failed ("), std::string::npos)
      << hangup.trace.back().head;
}

TEST_F(TraceEndToEnd, AFirmwareUploadSendsEachRecordLineAndReadsEachReply) {
  const TracedRun r = traced({}, "firmware 1 " + kExamples + "firmware.hex\ny\n\nexit\n");
  ASSERT_EQ(r.run.exit_status, 0) << r.run.out;
  std::string sent;
  for (const TraceLine& t : r.trace) {
    if (t.head.rfind("TX ", 0) != 0) continue;
    std::istringstream hex(t.hex);
    for (unsigned byte = 0; hex >> std::hex >> byte;) sent += static_cast<char>(byte);
  }
  std::istringstream records(read_file(kExamples + "firmware.hex"));
  std::size_t at = 0;
  int lines = 0;
  for (std::string line; std::getline(records, line); ++lines) {
    at = sent.find(line, at);
    ASSERT_NE(at, std::string::npos) << "record line not sent: " << line;
  }
  // The restarted device greets, and the port closes before that is read.
  EXPECT_EQ(wire_bytes(r.wire, "device").rfind(trace_bytes(r.trace, "RX"), 0), 0u);
  EXPECT_EQ(trace_bytes(r.trace, "TX"), wire_bytes(r.wire, "host"));
  EXPECT_GT(lines, 0);
}

TEST_F(TraceEndToEnd, TheLogIsTheConsoleWithTheTypedLinesAfterTheirPrompts) {
  const std::string input = "dconfigure\nfirmware 1 fw.hex\nn\nexit\n";
  const RunResult run = run_program({KTREVA_HOST_PATH, "--log", "log.txt"}, input, dir_.path(), 60);
  ASSERT_EQ(run.exit_status, 0);
  // Where each line was read: after a prompt or a question.
  const std::pair<const char*, const char*> typed[] = {
      {"Command> ", "dconfigure\n"},
      {"Command> ", "firmware 1 fw.hex\n"},
      {"[n]: ", "n\n"},
      {"Command> ", "exit\n"},
  };
  std::string want = run.out;
  std::size_t at = 0;
  for (const auto& [prompt, line] : typed) {
    at = want.find(prompt, at);
    ASSERT_NE(at, std::string::npos) << prompt;
    at += std::string(prompt).size();
    want.insert(at, line);
  }
  EXPECT_EQ(describe_mismatch(want, read_file(dir_.path("log.txt"))), "");
}

TEST_F(TraceEndToEnd, AFileThatCannotBeCreatedIsAUsageErrorBeforeAnyPort) {
  for (const char* option : {"--trace", "--log"}) {
    BackgroundProgram emu({KTREVA_EMU_PATH, "--no-stdin", "--log", "emu.log"}, dir_.path());
    const std::string pty = emu.first_line(30);
    const RunResult run =
        run_program({KTREVA_HOST_PATH, "--com", "1=" + pty, option, "no-such-folder/file.txt"},
                    "connect 1\n", dir_.path(), 60);
    emu.stop();
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("ktreva-host: cannot create the ") +
                           (option[2] == 't' ? "trace" : "log") +
                           " file no-such-folder/file.txt: No such file or directory\n");
    EXPECT_EQ(read_file(dir_.path("emu.log")).find("opened the port"), std::string::npos)
        << "a port was touched";
  }
}

// Refused runs leave the files as they were; a file that cannot be
// written is reported once and the session goes on.
TEST_F(TraceEndToEnd, TheSessionFilesNeverClobberEachOtherAndReportAFailedWrite) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } refused[] = {
      {{"--trace", "f.txt", "--log", "f.txt"}, "--trace and --log name the same file: f.txt"},
      {{"--trace", "f.txt", "--log", "./sub/../f.txt"},
       "--trace and --log name the same file: ./sub/../f.txt"},
      {{"--trace", "f.txt", "--log", "no-such-folder/l.txt"},
       "cannot create the log file no-such-folder/l.txt: No such file or directory"},
      {{"--log", "new.txt", "--trace", "no-such-folder/t.txt"},
       "cannot create the trace file no-such-folder/t.txt: No such file or directory"},
  };
  std::filesystem::create_directory(dir_.path("sub"));
  for (const auto& c : refused) {
    dir_.write("f.txt", "an earlier trace\n");
    std::vector<std::string> argv{KTREVA_HOST_PATH};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const RunResult run = run_program(argv, "exit\n", dir_.path(), 60);
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_EQ(run.err, "ktreva-host: " + c.err + "\n");
    EXPECT_EQ(read_file(dir_.path("f.txt")), "an earlier trace\n");
    EXPECT_FALSE(std::filesystem::exists(dir_.path("new.txt")));
  }

  const TracedRun plain = traced({}, "connect 1\nexit\n");
  BackgroundProgram emu({KTREVA_EMU_PATH, "--no-stdin"}, dir_.path());
  const std::string pty = emu.first_line(30);
  const RunResult full =
      run_program({KTREVA_HOST_PATH, "--com", "1=" + pty, "--trace", "/dev/full"},
                  "connect 1\nexit\n", dir_.path(), 60);
  EXPECT_EQ(full.exit_status, 0);
  EXPECT_EQ(full.out, plain.run.out);
  EXPECT_EQ(full.err, "ktreva-host: cannot write the trace file /dev/full: " +
                          std::string(std::strerror(ENOSPC)) + "\n");
}

}  // namespace
