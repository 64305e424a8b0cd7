#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/regular_file.h"

namespace {

bool is_regular(int fd) {
  struct stat st {};
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// The descriptor was opened without blocking; reads must block as usual.
bool make_blocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

}  // namespace

OpenStatus open_regular_file(const char* path, std::FILE** file) {
  *file = nullptr;
  // Look before opening: opening a serial device alone raises its control lines.
  struct stat st {};
  if (stat(path, &st) != 0) return OpenStatus::kCannotOpen;
  if (!S_ISREG(st.st_mode)) return OpenStatus::kNotRegular;
  // The name may have become a FIFO since: open without blocking, look again.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return OpenStatus::kCannotOpen;
  if (!is_regular(fd)) {
    close(fd);
    return OpenStatus::kNotRegular;
  }
  if (!make_blocking(fd) || (*file = fdopen(fd, "r")) == nullptr) {
    close(fd);
    return OpenStatus::kCannotOpen;
  }
  return OpenStatus::kOpened;
}
