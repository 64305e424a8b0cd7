#include "pty_open_watch.h"

#include <sys/inotify.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t OPEN_CLOSE = IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE;

}  // namespace

bool PtyOpenWatch::start(const std::string& path) {
  UniqueFd fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
  if (!fd || ::inotify_add_watch(fd.get(), path.c_str(), OPEN_CLOSE) < 0) return false;
  fd_ = std::move(fd);
  holders_ = 0;
  return true;
}

void PtyOpenWatch::stop() {
  fd_.reset();
  holders_ = 0;
}

int PtyOpenWatch::take(std::vector<SessionEdge>& edges) {
  const std::size_t before = edges.size();
  bool lost = false;
  alignas(inotify_event) char buf[4096];
  ssize_t n;
  while ((n = ::read(fd_.get(), buf, sizeof buf)) > 0) {
    for (ssize_t at = 0; at < n;) {
      inotify_event e;
      std::memcpy(&e, buf + at, sizeof e);
      if ((e.mask & IN_Q_OVERFLOW) != 0) lost = true;
      count(e.mask, edges);
      at += static_cast<ssize_t>(sizeof e + e.len);
    }
  }
  return lost ? -1 : static_cast<int>(edges.size() - before);
}

void PtyOpenWatch::count(std::uint32_t mask, std::vector<SessionEdge>& edges) {
  if ((mask & IN_OPEN) != 0 && holders_++ == 0) edges.push_back(SessionEdge::kBegin);
  // A close the count never saw open (one from before a lost report) is ignored.
  if ((mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) != 0 && holders_ > 0 && --holders_ == 0) {
    edges.push_back(SessionEdge::kEnd);
  }
}
