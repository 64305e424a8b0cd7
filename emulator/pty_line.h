#pragma once
// The emulator's pseudo-terminal. The host opens the slave as its serial
// port; the emulator works the master and never holds the slave open once
// the terminal is made. A watch on the slave's node reports each open and
// close of it by the host (PtyOpenWatch), which is where sessions begin and
// end. The master reports a hang-up (POLLHUP, reads fail with EIO) while
// nobody holds the slave, and stops as soon as somebody does.

#include <cstdint>
#include <string>
#include <vector>

#include "pty_open_watch.h"
#include "serial/posix_fd.h"

class PtyLine {
 public:
  // A new terminal, raw, its slave opened and closed once so that the master
  // reports the absence of a host from the start; the watch begins after that.
  // False (errno set) on failure.
  bool create();
  void close();

  int master() const { return master_.get(); }
  const std::string& slave_path() const { return slave_path_; }
  // Readable when the host has opened or closed the slave.
  int watch_fd() const { return watch_.fd(); }
  // The sessions begun and ended since the last call; -1 when reports were
  // lost, after which the count starts again from host_attached().
  int take_sessions(std::vector<SessionEdge>& edges);
  // Whether the slave is held open now, as the master shows it.
  bool host_attached() const;
  // Drops what waits in the terminal either way: the device's bytes the host
  // has not read, the host's bytes the device has not taken.
  void flush() const;
  // The line speed the host set on the slave (the master reports the slave's
  // settings); 0 when it is not a rate the port layer knows.
  std::uint32_t host_rate() const;

 private:
  UniqueFd master_;
  std::string slave_path_;
  PtyOpenWatch watch_;
};
