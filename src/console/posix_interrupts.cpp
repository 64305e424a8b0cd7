// Ctrl-C on POSIX: SIGINT, caught without SA_RESTART so that a wait in
// poll() or read() returns at once with EINTR and the flags are looked at;
// the handler also wakes the waits through a pipe (console/interrupt_wake.h).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#include "console/console.h"
#include "console/interrupt_wake.h"
#include "console/interrupts.h"

namespace {

int wake_pipe[2] = {-1, -1};

void on_interrupt(int) {
  const int saved = errno;  // the interrupted code looks at errno next
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
  note_interrupt(static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000);
  const char byte = 1;
  if (wake_pipe[1] >= 0 && write(wake_pipe[1], &byte, 1) < 0) {
    // A full pipe already wakes every wait.
  }
  errno = saved;
}

bool open_wake_pipe() {
  if (pipe(wake_pipe) != 0) return false;
  for (const int fd : wake_pipe) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  return true;
}

}  // namespace

int interrupt_wake_fd() { return wake_pipe[0]; }

void drain_interrupt_wake() {
  char bytes[64];
  while (wake_pipe[0] >= 0 && read(wake_pipe[0], bytes, sizeof bytes) > 0) {
  }
}

// Only the line editor's reading knows a read cut short by the signal from
// the end of input; without it Ctrl-C stays the system's.
bool take_over_interrupts(Console& con) {
  if (!con.has_line_editor() || !open_wake_pipe()) return false;
  set_interrupt_console(&con);
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  return sigaction(SIGINT, &action, nullptr) == 0;
}
