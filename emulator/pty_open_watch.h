#pragma once
// Who holds the slave of the emulator's terminal, from the kernel's report of
// every open and every last close of its node (inotify on /dev/pts/N). The
// master cannot tell this on its own: a close and a reopen between two looks
// leave it as it was. Reports come in order, one per open and one per close
// of an open file (duplicated descriptors close once), so a count of holders
// marks where host sessions begin and end however close together they come.

#include <cstdint>
#include <string>
#include <vector>

#include "serial/posix_fd.h"

enum class SessionEdge {
  kBegin,  // the first holder opened the slave
  kEnd,    // the last holder closed it
};

class PtyOpenWatch {
 public:
  // Watches `path` from now on: opens and closes before this are not counted.
  // False (errno set) on failure.
  bool start(const std::string& path);
  void stop();

  // Readable when reports wait.
  int fd() const { return fd_.get(); }
  // Appends the sessions begun and ended since the last call to `edges`, in
  // order. Returns how many, or -1 when the kernel dropped reports (its queue
  // overflowed) and the count is no longer known.
  int take(std::vector<SessionEdge>& edges);
  // After lost reports: the count starts again from what the terminal shows.
  void reset(bool held) { holders_ = held ? 1 : 0; }

 private:
  void count(std::uint32_t mask, std::vector<SessionEdge>& edges);

  UniqueFd fd_;
  int holders_ = 0;
};
