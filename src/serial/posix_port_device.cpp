// The serial port over termios. Reads and writes are non-blocking calls
// driven by poll() against one monotonic deadline per call, which keeps the
// timeout model of serial.h exactly, with no VMIN/VTIME rounding.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <memory>
#include <string>
#include <utility>

#include "console/interrupt_wake.h"
#include "console/interrupts.h"
#include "serial/deadline.h"
#include "serial/low_latency.h"
#include "serial/port_device.h"
#include "serial/port_names.h"
#include "serial/posix_fd.h"
#include "serial/posix_line.h"

namespace {

enum class Step { kProgress, kIdle, kFailed };

std::chrono::milliseconds budget(std::uint64_t ms) {
  constexpr std::uint64_t max = static_cast<std::uint64_t>(INT_MAX) * 1000;
  return std::chrono::milliseconds(static_cast<std::int64_t>(ms < max ? ms : max));
}

// One poll for `events`; the result is the events seen (0 after a timeout or
// a signal), or -1 on a failure. A Ctrl-C that ends the session ends the
// wait here.
int poll_for(int fd, short events, int wait_ms) {
  pollfd p[2] = {{fd, events, 0}, {interrupt_wake_fd(), POLLIN, 0}};
  const int rc = ::poll(p, p[1].fd >= 0 ? 2 : 1, wait_ms);
  if (rc < 0 && errno != EINTR) return -1;
  if (rc < 0 || (p[1].fd >= 0 && p[1].revents != 0)) {
    drain_interrupt_wake();
    service_interrupt();
    return 0;
  }
  return rc == 0 ? 0 : p[0].revents;
}

// A hang-up or error reported without data ends the transfer as failed.
Step line_failure(int revents) {
  errno = (revents & POLLNVAL) != 0 ? EBADF : EIO;
  return Step::kFailed;
}

class PosixPort final : public PortDevice {
 public:
  explicit PosixPort(UniqueFd fd) : fd_(std::move(fd)), low_latency_(serial_flags_of(fd_.get())) {}

  PropsFailure get_properties(CommCaps& caps) override;
  bool get_state(PortDcb& dcb) override;
  bool set_state(const PortDcb& dcb) override;
  bool set_timeouts(const PortTimeouts& timeouts) override {
    timeouts_ = timeouts;
    return true;
  }
  bool read(unsigned char* buf, int size, int& got) override;
  bool write(const void* buf, int count, int& written) override;
  void purge() override { ::tcflush(fd_.get(), TCIOFLUSH); }

 private:
  Step read_step(unsigned char* buf, int size, int& got, int wait_ms);
  bool wait_writable(const Deadline& deadline);
  bool set_modem_lines(const PortDcb& dcb);

  UniqueFd fd_;
  PortTimeouts timeouts_;
  // Declared after the descriptor: the earlier flags go back before it closes.
  LowLatencyHold low_latency_;
};

// A terminal can do everything the utility asks of a port; anything else
// (a file, a pipe) fails here with the system's "not a terminal" error.
PropsFailure PosixPort::get_properties(CommCaps& caps) {
  termios t{};
  if (::tcgetattr(fd_.get(), &t) != 0) return PropsFailure::kGetFirst;
  caps.settable_params = CAPS_SP_PARITY | CAPS_SP_BAUD | CAPS_SP_DATABITS | CAPS_SP_STOPBITS;
  caps.settable_data = CAPS_DATABITS_8;
  caps.settable_stop_parity = CAPS_STOPBITS_10 | CAPS_PARITY_NONE;
  caps.prov_capabilities = CAPS_PCF_TOTALTIMEOUTS | CAPS_PCF_INTTIMEOUTS;
  return PropsFailure::kNone;
}

bool PosixPort::get_state(PortDcb& dcb) {
  termios t{};
  if (::tcgetattr(fd_.get(), &t) != 0) return false;
  dcb = dcb_from_termios(t);
  return true;
}

bool PosixPort::set_state(const PortDcb& dcb) {
  termios t{};
  if (::tcgetattr(fd_.get(), &t) != 0 || !termios_from_dcb(t, dcb)) return false;
  if (::tcsetattr(fd_.get(), TCSANOW, &t) != 0) return false;
  // tcsetattr succeeds when any part took; a driver that kept its old speed
  // refused the rate.
  termios now{};
  if (::tcgetattr(fd_.get(), &now) != 0) return false;
  if (cfgetospeed(&now) != cfgetospeed(&t)) {
    errno = EINVAL;
    return false;
  }
  return set_modem_lines(dcb);
}

// DTR and RTS follow the state: held low when disabled. A pseudo-terminal has
// no modem lines and says so with ENOTTY or EINVAL, which is no failure.
bool PosixPort::set_modem_lines(const PortDcb& dcb) {
  int low = 0;
  if (dcb.dtr_control == DCB_DTR_CONTROL_DISABLE) low |= TIOCM_DTR;
  if (dcb.rts_control == DCB_RTS_CONTROL_DISABLE) low |= TIOCM_RTS;
  if (low == 0 || ::ioctl(fd_.get(), TIOCMBIC, &low) == 0) return true;
  return errno == ENOTTY || errno == EINVAL;
}

Step PosixPort::read_step(unsigned char* buf, int size, int& got, int wait_ms) {
  const int revents = poll_for(fd_.get(), POLLIN, wait_ms);
  if (revents < 0) return Step::kFailed;
  if (revents == 0) return Step::kIdle;
  if ((revents & POLLIN) == 0) return line_failure(revents);
  const ssize_t n = ::read(fd_.get(), buf + got, static_cast<std::size_t>(size - got));
  if (n > 0) {
    got += static_cast<int>(n);
    return Step::kProgress;
  }
  if (n == 0) return line_failure(POLLHUP);  // end of file: the other side hung up
  return errno == EINTR || errno == EAGAIN ? Step::kIdle : Step::kFailed;
}

bool PosixPort::read(unsigned char* buf, int size, int& got) {
  got = 0;
  const Deadline deadline(budget(read_budget_ms(timeouts_, size)));
  while (got < size) {
    const int wait_ms = deadline.remaining_ms();
    const Step step = read_step(buf, size, got, wait_ms);
    if (step == Step::kFailed) return false;
    if (step == Step::kIdle && wait_ms == 0) break;
  }
  return true;
}

bool PosixPort::wait_writable(const Deadline& deadline) {
  for (;;) {
    const int wait_ms = deadline.remaining_ms();
    if (wait_ms == 0) {
      errno = ETIMEDOUT;
      return false;
    }
    const int revents = poll_for(fd_.get(), POLLOUT, wait_ms);
    if (revents < 0) return false;
    if ((revents & POLLOUT) != 0) return true;
    if (revents != 0) {
      line_failure(revents);
      return false;
    }
  }
}

bool PosixPort::write(const void* buf, int count, int& written) {
  written = 0;
  const auto* bytes = static_cast<const unsigned char*>(buf);
  const Deadline deadline(budget(write_budget_ms(timeouts_, count)));
  while (written < count) {
    const ssize_t n =
        ::write(fd_.get(), bytes + written, static_cast<std::size_t>(count - written));
    if (n > 0) {
      written += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) {
      service_interrupt();
      continue;
    }
    // The terminal's buffer is full: wait for room until the deadline.
    const bool full = n == 0 || errno == EAGAIN || errno == EWOULDBLOCK;
    if (!full || !wait_writable(deadline)) return false;
  }
  return true;
}

}  // namespace

// Exclusive twice over: TIOCEXCL refuses other opens of the terminal (except
// by root), the lock refuses other programs that lock as well, root included.
std::unique_ptr<PortDevice> port_device_open(const char* path) {
  UniqueFd fd(::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return nullptr;
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) errno = EBUSY;
    return nullptr;
  }
  if (::ioctl(fd.get(), TIOCEXCL) != 0 && errno != ENOTTY && errno != EINVAL) return nullptr;
  return std::make_unique<PosixPort>(std::move(fd));
}

std::string default_device_path(int number) { return "/dev/ttyS" + std::to_string(number - 1); }
