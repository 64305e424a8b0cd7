#pragma once
// What Ctrl-C does, on a terminal. A piped session keeps the system's
// default (the process ends at once); on a terminal the utility takes the
// signal itself and decides by the moment it comes:
//   at the prompt        the line typed is dropped and a fresh prompt shown;
//   during an upload     one warning, since an interrupted upload can leave
//                        the device without firmware; a second Ctrl-C
//                        within a few seconds ends the session after all;
//   anywhere else        the session ends: the command in progress unwinds
//                        (Interrupted) to the program's entry, which releases
//                        the port and closes the session files.
// The signal only sets flags; the waits notice them (a read interrupted by
// the signal returns early, and is never a failed read) and act in ordinary
// code through service_interrupt().

#include <cstdint>
#include <exception>

class Console;

enum class InterruptPolicy { kEndSession, kDropLine, kWarnOnly };

// Thrown out of a wait when the operator ended the session with Ctrl-C.
class Interrupted : public std::exception {
 public:
  const char* what() const noexcept override { return "interrupted"; }
};

// The exit status of a session ended by Ctrl-C (128 + the signal's number,
// as shells report it).
constexpr int STATUS_INTERRUPTED = 130;

// How long after the warning a second Ctrl-C ends an upload after all.
constexpr std::int64_t SECOND_INTERRUPT_MS = 3000;

// Takes Ctrl-C over from the system for the rest of the run, when the
// session is at a terminal (on POSIX: one that `con` edits lines on); `con`
// prints the upload warning. True when it did.
bool take_over_interrupts(Console& con);

// The console that take_over_interrupts was given; the platform's part
// calls this.
void set_interrupt_console(Console* con);

// Sets the policy until the scope ends; the old one comes back after.
class InterruptPolicyScope {
 public:
  explicit InterruptPolicyScope(InterruptPolicy policy);
  ~InterruptPolicyScope();
  InterruptPolicyScope(const InterruptPolicyScope&) = delete;
  InterruptPolicyScope& operator=(const InterruptPolicyScope&) = delete;

 private:
  InterruptPolicy old_;
};

InterruptPolicy interrupt_policy();

// What the signal handler does with one Ctrl-C at `now_ms` (a monotonic
// clock). Safe in a signal handler.
void note_interrupt(std::int64_t now_ms);

// Prints a pending upload warning; throws Interrupted when the session is to
// end. Called where a wait can notice the signal.
void service_interrupt();
// True once, for a Ctrl-C at the prompt (the line typed is dropped).
bool take_dropped_line();
// True when a Ctrl-C has asked for the session to end.
bool session_ending();
// Forgets every flag and the policy: for tests.
void reset_interrupts();
