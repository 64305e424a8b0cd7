#include "pty_line.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>

#include "serial/posix_line.h"

namespace {

// Opens the slave, makes it raw and closes it again.
bool make_raw(const char* slave) {
  const UniqueFd fd(::open(slave, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return false;
  termios t{};
  if (::tcgetattr(fd.get(), &t) != 0) return false;
  ::cfmakeraw(&t);
  return ::tcsetattr(fd.get(), TCSANOW, &t) == 0;
}

}  // namespace

bool PtyLine::create() {
  UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!master || ::grantpt(master.get()) != 0 || ::unlockpt(master.get()) != 0) return false;
  const char* name = ::ptsname(master.get());
  if (name == nullptr || !make_raw(name)) return false;
  // Only now: the open and close above are the emulator's own, not a host's.
  if (!watch_.start(name)) return false;
  slave_path_ = name;
  master_ = std::move(master);
  return true;
}

void PtyLine::close() {
  watch_.stop();
  master_.reset();
  slave_path_.clear();
}

int PtyLine::take_sessions(std::vector<SessionEdge>& edges) {
  const int n = watch_.take(edges);
  if (n < 0) watch_.reset(host_attached());
  return n;
}

bool PtyLine::host_attached() const {
  pollfd p{master_.get(), POLLIN, 0};
  if (::poll(&p, 1, 0) < 0) return false;
  return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

void PtyLine::flush() const { ::tcflush(master_.get(), TCIOFLUSH); }

std::uint32_t PtyLine::host_rate() const {
  termios t{};
  if (::tcgetattr(master_.get(), &t) != 0) return 0;
  return speed_to_rate(::cfgetospeed(&t));
}
