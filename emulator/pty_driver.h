#pragma once
// ktreva-emu's loop: the device model in real time on a pseudo-terminal.
// One poll waits for the host's bytes, the operator's stdin lines and the
// model's next wake-up; each turn hands the model what came, advances it to
// now and writes what it has sent by then. A host session is the time the
// slave is held open, from the first open to the last close the terminal's
// watch reports; a close and a reopen at once are two sessions. After the
// model hangs up, the terminal is closed (the host sees the line drop) and a
// new one serves the next session.

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "device_model.h"
#include "emu_cli.h"
#include "pty_line.h"

class PtyDriver {
 public:
  // `log` takes the session log; it stays the caller's.
  PtyDriver(const EmuCli& cli, std::FILE* log);
  // Runs until end of stdin, SIGINT or SIGTERM; 0 on a clean end.
  int run();
  ~PtyDriver();
  PtyDriver(const PtyDriver&) = delete;
  PtyDriver& operator=(const PtyDriver&) = delete;

 private:
  EmuTime now() const;
  bool new_line();
  void watch_host(EmuTime t);
  void read_host();
  void deliver(EmuTime t);
  void begin_session(EmuTime t);
  void end_session(EmuTime t);
  void recount(EmuTime t);
  void write_host(EmuTime t);
  void replace_line(EmuTime t);
  bool wait(EmuTime t);
  bool read_stdin(EmuTime t);
  void write_dump(TransferKind kind) const;
  void record_wire(const char* side, const std::uint8_t* bytes, std::size_t count) const;
  void event(const std::string& text) const;

  EmuCli cli_;
  std::FILE* log_;
  std::FILE* wire_ = nullptr;  // --wire: the bytes both ways
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  sigset_t wait_mask_{};  // the signal mask inside the poll: SIGINT and SIGTERM open
  DeviceModel model_;
  PtyLine line_;
  bool attached_ = false;
  bool stdin_open_ = true;
  std::string stdin_buf_;
  std::vector<std::uint8_t> pending_;  // sent by the model, not yet taken by the master
  std::vector<std::uint8_t> input_;    // read from the master, not yet given to the model
  std::vector<SessionEdge> edges_;
};
