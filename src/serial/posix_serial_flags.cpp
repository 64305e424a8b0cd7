// The driver's flags word through TIOCGSERIAL/TIOCSSERIAL, where the system
// has them (Linux); elsewhere (macOS) a port has no such word and its
// latency is the driver's own setting.
#include <sys/ioctl.h>

#include <cerrno>

#include "serial/low_latency.h"

#if defined(TIOCGSERIAL) && __has_include(<linux/serial.h>)
#include <linux/serial.h>

static_assert(SERIAL_FLAG_LOW_LATENCY == ASYNC_LOW_LATENCY);

namespace {

// The whole serial_struct is written back with only the flags changed, as
// the drivers require of a user without CAP_SYS_ADMIN. The calls keep errno:
// a refusal is no error of the port's.
class LinuxSerialFlags final : public SerialFlags {
 public:
  explicit LinuxSerialFlags(int fd) : fd_(fd) {}

  bool get(int& flags) override {
    const int saved = errno;
    const bool ok = ::ioctl(fd_, TIOCGSERIAL, &info_) == 0;
    errno = saved;
    if (ok) flags = info_.flags;
    return ok;
  }
  bool set(int flags) override {
    serial_struct changed = info_;
    changed.flags = flags;
    const int saved = errno;
    const bool ok = ::ioctl(fd_, TIOCSSERIAL, &changed) == 0;
    errno = saved;
    return ok;
  }

 private:
  int fd_;
  serial_struct info_{};
};

}  // namespace

std::unique_ptr<SerialFlags> serial_flags_of(int fd) {
  return std::make_unique<LinuxSerialFlags>(fd);
}
#else
std::unique_ptr<SerialFlags> serial_flags_of(int) { return nullptr; }
#endif
