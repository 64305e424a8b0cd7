// Ctrl-C on Windows comes to a handler on a thread of its own. Only an
// upload holds it (its reads are short and notice the flags within a tenth
// of a second); at any other moment the handler declines and the system
// ends the process at once, as it always has: the console's own line reading
// cannot tell an interrupted read from the end of input.
#include <windows.h>

#include "console/console.h"
#include "console/interrupts.h"

namespace {

BOOL WINAPI on_control(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interrupt_policy() != InterruptPolicy::kWarnOnly) return FALSE;
  note_interrupt(static_cast<std::int64_t>(GetTickCount64()));
  return TRUE;
}

}  // namespace

bool take_over_interrupts(Console& con) {
  // The editor is there exactly when standard input and output are a console.
  if (!con.has_line_editor()) return false;
  set_interrupt_console(&con);
  return SetConsoleCtrlHandler(on_control, TRUE) != 0;
}
