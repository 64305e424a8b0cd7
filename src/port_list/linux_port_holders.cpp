// Who holds a device: three signals, each of which another program may give
// without the others (a terminal program with only a lock file, a second
// copy of this utility with only its flock).
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

#include "port_list/linux_port_list.h"
#include "port_list/linux_port_obstacles.h"

namespace fs = std::filesystem;

namespace {

int pid_of(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  while (first != last && *first == ' ') ++first;  // lock files pad the pid
  int pid = 0;
  const auto [ptr, ec] = std::from_chars(first, last, pid);
  return ec == std::errc() && ptr != first && pid > 0 ? pid : 0;
}

void add_holder(const fs::path& proc, int pid, std::vector<PortHolder>& holders) {
  const bool known = std::any_of(holders.begin(), holders.end(),
                                 [pid](const PortHolder& h) { return h.pid == pid; });
  if (!known) holders.push_back({pid, sysfs_attribute(proc / std::to_string(pid) / "comm")});
}

bool has_open(const fs::path& fds, const fs::path& device) {
  std::error_code ec;
  for (fs::directory_iterator it(fds, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code link_ec;
    if (fs::read_symlink(it->path(), link_ec) == device && !link_ec) return true;
  }
  return false;
}

// The processes whose descriptors this user may read (another user's are
// closed to it, unless it is root).
void open_files(const fs::path& proc, const fs::path& device, std::vector<PortHolder>& holders) {
  std::error_code ec;
  for (fs::directory_iterator it(proc, ec), end; !ec && it != end; it.increment(ec)) {
    const int pid = pid_of(it->path().filename().string());
    if (pid != 0 && has_open(it->path() / "fd", device)) add_holder(proc, pid, holders);
  }
}

// "1: FLOCK  ADVISORY  WRITE 4242 00:05:1234 0 EOF": the pid, and the file as
// its file system's device (hexadecimal major and minor) and inode. Waiters
// ("1: -> FLOCK ...") hold nothing.
bool lock_on(const std::string& line, const struct stat& st, int& pid) {
  std::istringstream words(line);
  std::string number, kind, mode, access, pid_text, file;
  words >> number >> kind;
  if (kind == "->") return false;
  words >> mode >> access >> pid_text >> file;
  unsigned major_id = 0;
  unsigned minor_id = 0;
  unsigned long inode = 0;
  const char* p = file.data();
  const char* end = p + file.size();
  auto [a, e1] = std::from_chars(p, end, major_id, 16);
  if (e1 != std::errc() || a == end || *a != ':') return false;
  auto [b, e2] = std::from_chars(a + 1, end, minor_id, 16);
  if (e2 != std::errc() || b == end || *b != ':') return false;
  auto [c, e3] = std::from_chars(b + 1, end, inode);
  if (e3 != std::errc() || c != end) return false;
  pid = pid_of(pid_text);
  return pid != 0 && major_id == major(st.st_dev) && minor_id == minor(st.st_dev) &&
         inode == st.st_ino;
}

void file_locks(const fs::path& proc, const fs::path& device, std::vector<PortHolder>& holders) {
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) return;
  std::ifstream locks(proc / "locks");
  int pid = 0;
  for (std::string line; std::getline(locks, line);) {
    if (lock_on(line, st, pid)) add_holder(proc, pid, holders);
  }
}

// The UUCP convention: LCK..NAME in a lock folder, holding the pid in text.
void lock_files(const fs::path& root, const fs::path& device, std::vector<PortHolder>& holders) {
  const std::string name = "LCK.." + device.filename().string();
  for (const char* folder : {"var/lock", "run/lock"}) {
    const int pid = pid_of(sysfs_attribute(root / folder / name));
    if (pid != 0) add_holder(root / "proc", pid, holders);
  }
}

}  // namespace

std::vector<PortHolder> linux_port_holders(const LinuxSystem& system, const fs::path& device) {
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(device, ec);
  const fs::path path = ec ? device : real;
  const fs::path proc = system.root / "proc";
  std::vector<PortHolder> holders;
  open_files(proc, path, holders);
  file_locks(proc, path, holders);
  lock_files(system.root, path, holders);
  return holders;
}
