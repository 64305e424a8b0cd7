#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "serial/low_latency.h"
#include "serial/posix_line.h"
#include "serial/serial.h"
#include "support/pty_pair.h"

namespace {

class PortOpenPty : public testing::Test {
 protected:
  void SetUp() override {
    pty.map_to(env.names, 7);
    // Start from a cooked terminal, so that every raw setting is seen to be made.
    termios t = pty.slave_termios();
    t.c_lflag |= ICANON | ECHO | ISIG;
    t.c_iflag |= IXON | IXOFF | ICRNL;
    t.c_cflag |= PARENB | CRTSCTS | HUPCL;
    cfsetspeed(&t, B1200);
    ASSERT_EQ(::tcsetattr(pty.slave.get(), TCSANOW, &t), 0);
  }

  PtyPair pty;
  PortEnv env;
  PortHandle port;
  Console con{""};
};

TEST_F(PortOpenPty, OpensRawEightNoneOneAtTheRate) {
  ASSERT_EQ(open_port(con, port, "COM7", 9600, env), OpenPortResult::kOk);
  EXPECT_EQ(con.output(), "");
  EXPECT_TRUE(port.is_open());
  const termios t = pty.slave_termios();
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_EQ(cfgetispeed(&t), B9600);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS | HUPCL), 0u);
  EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL), 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(port.port_dcb.baud_rate, 9600u);
  EXPECT_EQ(port.port_timeouts.read_total_multiplier, 1u);
  EXPECT_EQ(port.port_timeouts.write_total_multiplier, 2u);

  port.close();
  EXPECT_FALSE(port.is_open());
  ASSERT_EQ(open_port(con, port, "COM7", 4800, env),
            OpenPortResult::kOk);  // closing let the port go
  EXPECT_EQ(port.port_timeouts.read_total_multiplier, 2u);
}

TEST_F(PortOpenPty, APortThatDoesNotExist) {
  ASSERT_TRUE(env.names.map("5=/nonexistent/ttyKT0"));
  EXPECT_EQ(open_port(con, port, "COM5", 9600, env), OpenPortResult::kCannotOpen);
  EXPECT_EQ(con.output(), "\a\aError: cannot open com port COM5: No such file or directory\n");
  EXPECT_FALSE(port.is_open());
}

TEST_F(PortOpenPty, ASecondOpenOfAnOpenPortIsRefused) {
  ASSERT_EQ(open_port(con, port, "COM7", 9600, env), OpenPortResult::kOk);
  PortHandle second;
  EXPECT_EQ(open_port(con, second, "COM7", 9600, env), OpenPortResult::kCannotOpen);
  EXPECT_EQ(con.output(), "\a\aError: cannot open com port COM7: Device or resource busy\n");
  EXPECT_FALSE(second.is_open());
  EXPECT_TRUE(port.is_open());
}

TEST_F(PortOpenPty, ARateNotInTheTableIsRefusedBeforeThePortIsTouched) {
  const termios before = pty.slave_termios();
  EXPECT_EQ(open_port(con, port, "COM7", 1234, env), OpenPortResult::kLineSettings);
  EXPECT_EQ(con.output(), "\a\aError: Invalid baud rate 1234\n");
  EXPECT_FALSE(port.is_open());
  const termios after = pty.slave_termios();
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(open_port(con, port, "COM7", 9600, env),
            OpenPortResult::kOk);  // and the port was let go
}

TEST_F(PortOpenPty, ARateTheSystemLacksIsRefusedByTheLineSetting) {
  speed_t speed = 0;
  if (rate_to_speed(14400, speed)) GTEST_SKIP() << "this system has a 14400 baud speed";
  EXPECT_EQ(open_port(con, port, "COM7", 14400, env), OpenPortResult::kLineSettings);
  EXPECT_EQ(con.output(),
            "\a\aError: could not set the comm state for port COM7: Invalid argument\n");
  EXPECT_FALSE(port.is_open());
}

TEST_F(PortOpenPty, AFileThatIsNoTerminalLacksCommProperties) {
  char path[] = "/tmp/ktreva-notatty-XXXXXX";
  const int fd = ::mkstemp(path);
  ASSERT_GE(fd, 0);
  ::close(fd);
  ASSERT_TRUE(env.names.map((std::string("6=") + path).c_str()));
  EXPECT_EQ(open_port(con, port, "COM6", 9600, env), OpenPortResult::kLineSettings);
  EXPECT_EQ(con.output(),
            "\a\aError: could not get comm properties for port COM6: Inappropriate ioctl for "
            "device\n");
  EXPECT_FALSE(port.is_open());
  ::unlink(path);
}

TEST_F(PortOpenPty, ANameThatIsAPathOpensThatDevice) {
  EXPECT_EQ(open_port(con, port, pty.path.c_str(), 19200), OpenPortResult::kOk);
  const termios t = pty.slave_termios();
  EXPECT_EQ(cfgetospeed(&t), B19200);
}

// A pseudo-terminal has no serial flags: the low-latency request is refused
// without a word, and the port works as any other.
TEST_F(PortOpenPty, APseudoTerminalRefusesLowLatencySilently) {
  std::unique_ptr<SerialFlags> flags = serial_flags_of(pty.slave.get());
  int word = 0;
  EXPECT_TRUE(flags == nullptr || !flags->get(word));
  EXPECT_FALSE(LowLatencyHold(std::move(flags)).changed());

  ASSERT_EQ(open_port(con, port, "COM7", 9600, env), OpenPortResult::kOk);
  EXPECT_EQ(write_port(con, port, "COM7", "ping", 4), 4);
  char got[8] = {};
  ASSERT_TRUE(PtyPair::readable(pty.master.get(), 5000));
  EXPECT_EQ(::read(pty.master.get(), got, sizeof got), 4);
  EXPECT_STREQ(got, "ping");
  pty.send("pong");
  std::uint8_t back[4] = {};
  EXPECT_EQ(read_port(con, port, "COM7", back, 4, 5000), 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(back), 4), "pong");
  port.close();
  EXPECT_EQ(con.output(), "");
  EXPECT_EQ(con.errors(), "");
}

}  // namespace
