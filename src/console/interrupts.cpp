#include "console/interrupts.h"

#include <atomic>

#include "console/console.h"

namespace {

// Lock-free atomics: the signal handler writes them.
std::atomic<InterruptPolicy> policy{InterruptPolicy::kEndSession};
std::atomic<bool> end_requested{false};
std::atomic<bool> warning_due{false};
std::atomic<bool> line_dropped{false};
std::atomic<std::int64_t> last_warning_ms{-1};
Console* announcer = nullptr;

}  // namespace

void set_interrupt_console(Console* con) { announcer = con; }

InterruptPolicy interrupt_policy() { return policy.load(); }

InterruptPolicyScope::InterruptPolicyScope(InterruptPolicy next) : old_(policy.exchange(next)) {}

InterruptPolicyScope::~InterruptPolicyScope() { policy.store(old_); }

void note_interrupt(std::int64_t now_ms) {
  switch (policy.load()) {
    case InterruptPolicy::kDropLine:
      line_dropped.store(true);
      return;
    case InterruptPolicy::kWarnOnly: {
      const std::int64_t last = last_warning_ms.load();
      if (last >= 0 && now_ms - last < SECOND_INTERRUPT_MS) {
        end_requested.store(true);
      } else {
        last_warning_ms.store(now_ms);
        warning_due.store(true);
      }
      return;
    }
    case InterruptPolicy::kEndSession:
      end_requested.store(true);
      return;
  }
}

void service_interrupt() {
  if (warning_due.exchange(false) && announcer != nullptr) {
    announcer->error(
        "\nWarning: the firmware update is in progress and must not be interrupted "
        "(Ctrl-C again within %d seconds ends the program)\n",
        static_cast<int>(SECOND_INTERRUPT_MS / 1000));
  }
  if (end_requested.load()) throw Interrupted();
}

bool take_dropped_line() { return line_dropped.exchange(false); }

bool session_ending() { return end_requested.load(); }

void reset_interrupts() {
  policy.store(InterruptPolicy::kEndSession);
  end_requested.store(false);
  warning_due.store(false);
  line_dropped.store(false);
  last_warning_ms.store(-1);
}
