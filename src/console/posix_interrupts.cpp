// Ctrl-C on POSIX: SIGINT, caught without SA_RESTART so that a wait in
// poll() or read() returns at once with EINTR and the flags are looked at.
#include <csignal>
#include <ctime>

#include "console/console.h"
#include "console/interrupts.h"

namespace {

void on_interrupt(int) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
  note_interrupt(static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000);
}

}  // namespace

// Only the line editor's reading knows a read cut short by the signal from
// the end of input; without it Ctrl-C stays the system's.
bool take_over_interrupts(Console& con) {
  if (!con.has_line_editor()) return false;
  set_interrupt_console(&con);
  struct sigaction action {};
  action.sa_handler = on_interrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  return sigaction(SIGINT, &action, nullptr) == 0;
}
