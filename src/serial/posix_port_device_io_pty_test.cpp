#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "serial/serial.h"
#include "support/pty_pair.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string drain(int fd, std::size_t want, int quiet_ms) {
  std::string got;
  char buf[4096];
  while (got.size() < want && PtyPair::readable(fd, quiet_ms)) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<std::size_t>(n));
  }
  return got;
}

class PortIoPty : public testing::Test {
 protected:
  void SetUp() override {
    pty.map_to(env.names, 7);
    ASSERT_EQ(open_port(con, port, "COM7", 9600, env), OpenPortResult::kOk);
  }

  PtyPair pty;
  PortEnv env;
  PortHandle port;
  Console con{""};
  std::uint8_t buf[1024] = {};
};

TEST_F(PortIoPty, AReadReturnsAsSoonAsItsCountIsIn) {
  std::thread device([this] {
    pty.send("ab");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // a pause between bytes
    pty.send("cd");
  });
  const auto start = Clock::now();
  const int n = read_port(con, port, "COM7", buf, 4, 10000);
  const double took = seconds_since(start);
  device.join();
  EXPECT_EQ(n, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 4), "abcd");
  EXPECT_LT(took, 5.0);
}

TEST_F(PortIoPty, AQuietReadReturnsNothingAfterItsTimeout) {
  const auto start = Clock::now();
  EXPECT_EQ(read_port(con, port, "COM7", buf, 1, 300), 0);
  EXPECT_LT(seconds_since(start), 10.0);
}

TEST_F(PortIoPty, AReadOfWhatCameBeforeTheTimeout) {
  pty.send("xyz");
  EXPECT_EQ(read_port(con, port, "COM7", buf, 100, 300), 3);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 3), "xyz");
}

TEST_F(PortIoPty, AOneByteRequestGetsItsAnswer) {
  std::thread device([this] {
    if (!PtyPair::readable(pty.master.get(), 5000)) return;
    char c = 0;
    if (::read(pty.master.get(), &c, 1) == 1 && c == '?') pty.send("Z");
  });
  EXPECT_EQ(write_port(con, port, "COM7", "?", 1), 1);
  EXPECT_EQ(read_port(con, port, "COM7", buf, 1, 5000), 1);
  device.join();
  EXPECT_EQ(buf[0], 'Z');
  EXPECT_EQ(con.output(), "");
}

TEST_F(PortIoPty, BytesGoOutUnchanged) {
  const std::string bytes("\x00\x03\r\n\x11\x13\xff", 7);  // NUL, ^C, CR, LF, XON, XOFF
  EXPECT_EQ(write_port(con, port, "COM7", bytes.data(), 7), 7);
  EXPECT_EQ(drain(pty.master.get(), 7, 1000), bytes);
  pty.send(bytes);
  EXPECT_EQ(read_port(con, port, "COM7", buf, 7, 2000), 7);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 7), bytes);
}

TEST_F(PortIoPty, RefusedWritesSendNothing) {
  EXPECT_EQ(write_port(con, port, "COM7", "x", 0), WRITE_PORT_BAD_ARG);
  EXPECT_EQ(write_port(con, port, "COM7", nullptr, 1), WRITE_PORT_NO_BUFFER);
  EXPECT_EQ(write_port(con, port, nullptr, "x", 1), WRITE_PORT_BAD_ARG);
  EXPECT_EQ(con.output(),
            "write_port: Error: invalid param len: 0\n"
            "write_port: Error: invalid param buf ptr\n"
            "write_port: Error: invalid param file port\n");
  EXPECT_FALSE(PtyPair::readable(pty.master.get(), 100));
}

TEST_F(PortIoPty, ALongWriteSurvivesPartialWrites) {
  port.close();
  ASSERT_EQ(open_port(con, port, "COM7", 4800, env),
            OpenPortResult::kOk);  // 4 ms a byte: time enough
  std::string data(std::size_t{256} * 1024, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
  std::string got;
  std::thread device([&] { got = drain(pty.master.get(), data.size(), 2000); });
  EXPECT_EQ(write_port(con, port, "COM7", data.data(), static_cast<int>(data.size())),
            static_cast<int>(data.size()));
  device.join();
  EXPECT_TRUE(got == data) << got.size() << " bytes arrived";
}

TEST_F(PortIoPty, AWriteThatCannotFinishInTimeFailsShort) {
  port.close();
  ASSERT_EQ(open_port(con, port, "COM7", 115200, env),
            OpenPortResult::kOk);        // 10 ms for the whole write
  const std::string data(1 << 20, 'w');  // more than the terminal buffers
  EXPECT_EQ(write_port(con, port, "COM7", data.data(), static_cast<int>(data.size())),
            WRITE_PORT_FAILED);
  const std::string& out = con.output();
  EXPECT_EQ(out.rfind("\a\aError: wrote ", 0), 0u) << out;
  const std::string tail = " of 1048576, got error on port COM7: Connection timed out\n";
  ASSERT_GT(out.size(), tail.size());
  EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
  const int written = std::stoi(out.substr(15));
  EXPECT_GT(written, 0);
  EXPECT_LT(written, 1 << 20);
}

TEST_F(PortIoPty, APurgeDropsPendingInput) {
  pty.send("stale");
  ASSERT_TRUE(PtyPair::readable(pty.slave.get(), 2000));
  purge_port(port);
  EXPECT_EQ(read_port(con, port, "COM7", buf, 64, 200), 0);
  pty.send("x");
  EXPECT_EQ(read_port(con, port, "COM7", buf, 64, 2000), 1);
  EXPECT_EQ(buf[0], 'x');
}

struct ChildEnd {
  std::string err;
  int status = 0;
  double seconds = 0;
};

// Runs `body` in a child process whose standard error is captured.
template <typename Body>
ChildEnd run_in_child(Body body) {
  int fds[2];
  if (::pipe(fds) != 0) throw std::runtime_error("pipe");
  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(fds[1], STDERR_FILENO);
    ::close(fds[0]);
    ::close(fds[1]);
    body();
    ::_exit(0);
  }
  ::close(fds[1]);
  ChildEnd end;
  char chunk[256];
  for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) {
    end.err.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(fds[0]);
  ::waitpid(pid, &end.status, 0);
  end.seconds = seconds_since(start);
  return end;
}

TEST_F(PortIoPty, AReadOnAHungUpLineIsFatal) {
  pty.master.reset();  // the other side hangs up
  const ChildEnd end = run_in_child([this] {
    Console real;
    read_port(real, port, "COM7", buf, 1, 5000);
  });
  EXPECT_EQ(end.err,
            "\a\aError: could not read on COM port COM7: Input/output error\n"
            "Return code 26, system error code 5\n");
  ASSERT_TRUE(WIFSIGNALED(end.status));
  EXPECT_EQ(WTERMSIG(end.status), SIGABRT);
}

TEST_F(PortIoPty, AReadOfNothingIsACallersFatalMistake) {
  const ChildEnd end = run_in_child([this] {
    Console real;
    read_port(real, port, "COM7", buf, 0, 5000);
  });
  EXPECT_EQ(end.err.rfind(
                "read_port: Error: invalid param size: 0\nReturn code 25, system error code ", 0),
            0u)
      << end.err;
  ASSERT_TRUE(WIFSIGNALED(end.status));
  EXPECT_EQ(WTERMSIG(end.status), SIGABRT);
}

}  // namespace
