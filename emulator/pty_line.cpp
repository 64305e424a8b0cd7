#include "pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>

#include "serial/posix_line.h"

bool PtyLine::create() {
  UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!master || ::grantpt(master.get()) != 0 || ::unlockpt(master.get()) != 0) return false;
  const char* name = ::ptsname(master.get());
  if (name == nullptr) return false;
  const UniqueFd slave(::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!slave) return false;
  termios t{};
  if (::tcgetattr(slave.get(), &t) != 0) return false;
  ::cfmakeraw(&t);
  if (::tcsetattr(slave.get(), TCSANOW, &t) != 0) return false;
  slave_path_ = name;
  master_ = std::move(master);
  return true;
}

void PtyLine::close() {
  master_.reset();
  slave_path_.clear();
}

bool PtyLine::host_attached() const {
  pollfd p{master_.get(), POLLIN, 0};
  if (::poll(&p, 1, 0) < 0) return false;
  return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

std::uint32_t PtyLine::host_rate() const {
  termios t{};
  if (::tcgetattr(master_.get(), &t) != 0) return 0;
  return speed_to_rate(::cfgetospeed(&t));
}
