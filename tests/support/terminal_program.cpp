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

// Milliseconds left of `seconds` from `start`; 0 when they are up.
int ms_left(std::chrono::steady_clock::time_point start, int seconds) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      start + std::chrono::seconds(seconds) - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

TerminalProgram::TerminalProgram(const std::vector<std::string>& argv,
                                 const std::filesystem::path& cwd, const std::string& term) {
  winsize size{24, 80, 0, 0};
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
  for (std::size_t sent = 0; sent < keys.size();) {
    const ssize_t n = write(master_, keys.data() + sent, keys.size() - sent);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

bool TerminalProgram::read_some(int ms) {
  pollfd p{master_, POLLIN, 0};
  char buf[4096];
  // The program's end of the terminal closed reads as EIO.
  const ssize_t n = poll(&p, 1, ms) > 0 ? read(master_, buf, sizeof buf) : 0;
  if (n > 0) screen_.append(buf, static_cast<std::size_t>(n));
  return n > 0;
}

bool TerminalProgram::wait_for(const std::string& text, int seconds) {
  const auto start = std::chrono::steady_clock::now();
  std::size_t at = 0;
  while ((at = screen_.find(text, seen_)) == std::string::npos) {
    if (!read_some(ms_left(start, seconds))) return false;
  }
  seen_ = at + text.size();
  return true;
}

bool TerminalProgram::wait_for_raw_mode(int seconds) { return wait_for_mode(false, seconds); }

bool TerminalProgram::wait_for_line_mode(int seconds) { return wait_for_mode(true, seconds); }

bool TerminalProgram::wait_for_mode(bool lines, int seconds) {
  const auto start = std::chrono::steady_clock::now();
  for (termios line{}; tcgetattr(master_, &line) != 0 || ((line.c_lflag & ICANON) != 0) != lines;) {
    if (ms_left(start, seconds) == 0) return false;
    read_some(1);  // so that it never waits on a full screen
  }
  return true;
}

int TerminalProgram::wait_exit(int seconds) {
  const auto start = std::chrono::steady_clock::now();
  while (read_some(ms_left(start, seconds))) {
  }
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (ms_left(start, seconds) == 0) return -1;  // the destructor kills it
    poll(nullptr, 0, 1);
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
