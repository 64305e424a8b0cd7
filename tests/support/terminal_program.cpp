#include "support/terminal_program.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "support/run_program.h"

namespace {

using Clock = std::chrono::steady_clock;

int ms_left(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

TerminalProgram::TerminalProgram(const std::vector<std::string>& argv,
                                 const std::filesystem::path& cwd, const std::string& term) {
  winsize size{};
  size.ws_row = 24;
  size.ws_col = 80;
  pid_ = forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ == 0) {
    setenv("TERM", term.c_str(), 1);
    setenv("HOME", cwd.c_str(), 1);
    unsetenv("EDITRC");
    exec_in(argv, cwd);
  }
}

TerminalProgram::~TerminalProgram() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) close(master_);
}

void TerminalProgram::type(const std::string& keys) {
  std::size_t sent = 0;
  while (sent < keys.size()) {
    const ssize_t n = write(master_, keys.data() + sent, keys.size() - sent);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

bool TerminalProgram::read_some(int ms) {
  pollfd p{master_, POLLIN, 0};
  if (poll(&p, 1, ms) <= 0) return false;
  char buf[4096];
  // The end of the program's side reads as EIO or 0.
  const ssize_t n = read(master_, buf, sizeof buf);
  if (n <= 0) return false;
  screen_.append(buf, static_cast<std::size_t>(n));
  return true;
}

bool TerminalProgram::wait_for(const std::string& text, int timeout_seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(timeout_seconds);
  for (;;) {
    const std::size_t at = screen_.find(text, seen_);
    if (at != std::string::npos) {
      seen_ = at + text.size();
      return true;
    }
    if (ms_left(deadline) == 0 || !read_some(ms_left(deadline))) return false;
  }
}

bool TerminalProgram::wait_for_raw_mode(int timeout_seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(timeout_seconds);
  for (;;) {
    termios line{};
    if (tcgetattr(master_, &line) == 0 && (line.c_lflag & ICANON) == 0) return true;
    if (ms_left(deadline) == 0) return false;
    read_some(1);  // what it shows meanwhile, so that it never waits on a full screen
  }
}

int TerminalProgram::wait_exit(int timeout_seconds) {
  const auto deadline = Clock::now() + std::chrono::seconds(timeout_seconds);
  while (ms_left(deadline) > 0 && read_some(ms_left(deadline))) {
  }
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (ms_left(deadline) == 0) return -1;  // the destructor kills it
    poll(nullptr, 0, 10);
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
