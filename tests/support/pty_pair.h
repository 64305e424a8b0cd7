#pragma once
// A pseudo-terminal for tests: the slave stands in for the COM port, the test
// plays the device on the master. The pair is mapped to a COM name so the
// tests open it the way the utility does.

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

#include "serial/port_names.h"
#include "serial/posix_fd.h"

struct PtyPair {
  PtyPair() {
    int m = -1;
    int s = -1;
    if (::openpty(&m, &s, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    master = UniqueFd(m);
    slave = UniqueFd(s);
    path = ::ttyname(s);
  }

  // Maps COMn to this pair's slave in `names`.
  void map_to(PortNames& names, int n) const {
    if (!names.map((std::to_string(n) + "=" + path).c_str())) {
      throw std::runtime_error("PortNames::map");
    }
  }

  termios slave_termios() const {
    termios t{};
    ::tcgetattr(slave.get(), &t);
    return t;
  }

  // Whether `fd` has input within `ms`.
  static bool readable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) == 1 && (p.revents & POLLIN) != 0;
  }

  void send(const std::string& bytes) const {
    if (::write(master.get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      throw std::runtime_error("write to master");
    }
  }

  UniqueFd master;
  UniqueFd slave;
  std::string path;
};
