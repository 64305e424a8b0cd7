// The ktreva-emu program itself, on a real pseudo-terminal in real time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "serial/port_names.h"
#include "serial/serial.h"

namespace {

// ktreva-emu with its stdin held open by the test and its stdout read line by line.
class Emulator {
 public:
  explicit Emulator(std::vector<std::string> args) {
    int in[2];
    int out[2];
    // Close-on-exec, or the child would hold its own stdin open.
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    args.insert(args.begin(), KTREVA_EMU_PATH);
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 2);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    stdin_ = in[1];
    stdout_ = out[0];
  }
  ~Emulator() {
    if (pid_ > 0 && status_ < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(stdin_);
    close(stdout_);
  }

  // The next line on its stdout, waiting at most 10 s.
  std::string line() {
    std::string text;
    char c = 0;
    pollfd p{stdout_, POLLIN, 0};
    while (poll(&p, 1, 10000) == 1 && read(stdout_, &c, 1) == 1 && c != '\n') text += c;
    return text;
  }
  // Ends it (closing its stdin, or by `sig`); its exit status, -1 if it did not exit within 10 s.
  int finish(int sig = 0) {
    sig == 0 ? (close(stdin_), stdin_ = -1) : kill(pid_, sig);
    for (int i = 0; i < 1000 && status_ < 0; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_)
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
      usleep(10000);
    }
    return status_;
  }

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  int status_ = -1;
};

// The events of a session log that contain `word`, without their times.
std::vector<std::string> log_events(const std::string& path, const std::string& word) {
  std::vector<std::string> events;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const std::size_t time_end = line.find(' ', line.find_first_not_of(' '));
    if (line.find(word) != std::string::npos) events.push_back(line.substr(time_end + 1));
  }
  return events;
}

// Waits (at most 10 s) until the session log holds an event with `word`.
bool log_shows(const std::string& path, const std::string& word) {
  for (int i = 0; i < 1000; ++i) {
    if (!log_events(path, word).empty()) return true;
    usleep(10000);
  }
  return false;
}

class EmulatorPty : public testing::Test {
 protected:
  // Opens `path` as COM9 the way the utility opens its port.
  void open(const std::string& path) {
    PortEnv env;
    ASSERT_TRUE(env.names.map(("9=" + path).c_str()));
    ASSERT_EQ(open_port(con, port, "COM9", 9600, env), OpenPortResult::kOk) << con.output();
  }
  // Reads until `text` has come, each byte within 5 s; all that came.
  std::string read_until(const std::string& text) {
    std::string got;
    std::uint8_t b = 0;
    while (got.find(text) == std::string::npos && read_port(con, port, "COM9", &b, 1, 5000) == 1) {
      got += static_cast<char>(b);
    }
    return got;
  }
  void send(const char* bytes) { ASSERT_GT(write_port(con, port, "COM9", bytes, 1), 0); }

  Console con{""};
  PortHandle port;
};

TEST_F(EmulatorPty, GreetsAndConfirmsTheRate) {
  Emulator emu({});
  open(emu.line());
  const std::string greeting = read_until("prompt\r\n");
  ASSERT_FALSE(greeting.empty());
  EXPECT_EQ(greeting[0], '\x05');
  EXPECT_NE(greeting.find("kTrevaNodi APRS Digipeater  Version 2.2b"), std::string::npos);
  send("\x03");
  EXPECT_EQ(read_until("kTreva> "), "\r\nConnected 9600\r\nkTreva> ");
  port.close();
  EXPECT_EQ(emu.finish(), 0);
}

TEST_F(EmulatorPty, AfterAHangUpANewTerminalServesTheNextSession) {
  const std::string link = testing::TempDir() + "ktreva_emu_link";
  Emulator emu({"--link", link, "--fault", "hangup:attention@1"});
  EXPECT_NE(emu.line(), "");
  open(link);
  read_until("prompt\r\n");
  send("\x03");
  int got = 0;
  std::uint8_t b = 0;
  EXPECT_FALSE(port.device()->read(&b, 1, got));  // the line has dropped
  port.close();
  const std::string second = emu.line();  // a new terminal (its number may be reused)
  ASSERT_NE(second, "");
  EXPECT_EQ(std::filesystem::read_symlink(link), second);
  open(link);
  read_until("prompt\r\n");
  send("\x03");
  EXPECT_EQ(read_until("kTreva> "), "\r\nConnected 9600\r\nkTreva> ");
  port.close();
  EXPECT_EQ(emu.finish(SIGTERM), 0);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

// The utility closes the port and opens it again at once (after a download,
// in a script): each open is a new session in which the device powers on
// afresh, and nothing the last one left unread reaches the new host.
TEST_F(EmulatorPty, EachImmediateReopenIsAFreshSession) {
  const std::string log =
      testing::TempDir() + "ktreva_emu_reopen" + std::to_string(getpid()) + ".log";
  Emulator emu({"--log", log});
  const std::string path = emu.line();
  constexpr int SESSIONS = 5;
  for (int session = 1; session <= SESSIONS; ++session) {
    open(path);
    const std::string greeting = read_until("prompt\r\n");
    ASSERT_FALSE(greeting.empty()) << "session " << session;
    EXPECT_EQ(greeting[0], '\x05') << "session " << session;
    EXPECT_NE(greeting.find("kTrevaNodi APRS Digipeater"), std::string::npos) << greeting;
    send("\x03");  // the answer is left unread
    port.close();
  }
  EXPECT_TRUE(log_shows(log, "session " + std::to_string(SESSIONS) + ": ended"));
  EXPECT_EQ(emu.finish(SIGTERM), 0);
  std::vector<std::string> expected;
  for (int session = 1; session <= SESSIONS; ++session) {
    expected.push_back("session " + std::to_string(session) + ": the host opened the port");
    expected.push_back("session " + std::to_string(session) + ": ended");
  }
  EXPECT_EQ(log_events(log, "session "), expected);
  EXPECT_EQ(log_events(log, "power-on").size(), std::size_t{SESSIONS});
  std::filesystem::remove(log);
}

// Another open of the slave while the host holds it is no new session, and
// its close does not end the host's.
TEST_F(EmulatorPty, ASecondHolderLeavesTheSessionAlone) {
  const std::string log =
      testing::TempDir() + "ktreva_emu_holders" + std::to_string(getpid()) + ".log";
  Emulator emu({"--log", log});
  const std::string path = emu.line();
  open(path);
  read_until("prompt\r\n");
  const int other = ::open(path.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ::close(other);
  send("\x03");
  EXPECT_EQ(read_until("kTreva> "), "\r\nConnected 9600\r\nkTreva> ");
  port.close();
  EXPECT_TRUE(log_shows(log, "session 1: ended"));
  EXPECT_EQ(emu.finish(SIGTERM), 0);
  EXPECT_EQ(log_events(log, "session "),
            (std::vector<std::string>{"session 1: the host opened the port", "session 1: ended"}));
  std::filesystem::remove(log);
}

}  // namespace
