#pragma once
// The emulator's pseudo-terminal. The host opens the slave as its serial
// port; the emulator works the master and never holds the slave open, so the
// master shows whether a host is there: once the slave has been opened and
// closed, the master reports a hang-up (POLLHUP) for as long as nobody holds
// the slave, and stops as soon as somebody does.

#include <cstdint>
#include <string>

#include "serial/posix_fd.h"

class PtyLine {
 public:
  // A new terminal, raw, its slave opened and closed once so that the master
  // reports the absence of a host from the start. False (errno set) on failure.
  bool create();
  void close();

  int master() const { return master_.get(); }
  const std::string& slave_path() const { return slave_path_; }
  // Whether a host holds the slave open now.
  bool host_attached() const;
  // The line speed the host set on the slave (the master reports the slave's
  // settings); 0 when it is not a rate the port layer knows.
  std::uint32_t host_rate() const;

 private:
  UniqueFd master_;
  std::string slave_path_;
};
