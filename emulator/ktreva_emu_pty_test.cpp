// The ktreva-emu program itself, on a real pseudo-terminal in real time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
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

class EmulatorPty : public testing::Test {
 protected:
  void TearDown() override { port_names_clear(); }

  // Opens `path` as COM9 the way the utility opens its port.
  void open(const std::string& path) {
    port_names_clear();
    ASSERT_TRUE(port_names_map(("9=" + path).c_str()));
    ASSERT_EQ(open_port(con, port, "COM9", 9600), 0) << con.output();
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

}  // namespace
