// Whether this user may open a device, and if not, whether joining the
// device's group would help or has helped already but not this login: a
// process keeps the groups it started with, so a user added to dialout
// stays out of it until the next login.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "port_list/linux_port_obstacles.h"

namespace fs = std::filesystem;

namespace {

struct GroupEntry {
  std::string name;
  std::vector<std::string> members;
};

std::vector<std::string> split(const std::string& text, char sep) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, sep);) parts.push_back(part);
  return parts;
}

// The /etc/group line of `gid` (name:password:gid:member,member); its number
// for a name where there is none.
GroupEntry group_of(const fs::path& group_file, unsigned gid) {
  std::ifstream in(group_file);
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> fields = split(line, ':');
    if (fields.size() < 3 || fields[2] != std::to_string(gid)) continue;
    return {fields[0], fields.size() > 3 ? split(fields[3], ',') : std::vector<std::string>{}};
  }
  return {std::to_string(gid), {}};
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

PortAccess access_without(const LinuxSystem& system, const struct stat& st,
                          const GroupEntry& group) {
  constexpr unsigned group_rw = S_IRGRP | S_IWGRP;
  if ((st.st_mode & group_rw) != group_rw) return PortAccess::kDenied;
  const bool in_process =
      std::find(system.groups.begin(), system.groups.end(), st.st_gid) != system.groups.end();
  // In the group already, and still refused: something else says no.
  if (in_process) return PortAccess::kDenied;
  const bool member = system.primary_gid == st.st_gid || contains(group.members, system.user);
  return member ? PortAccess::kLoginPredates : PortAccess::kNotInGroup;
}

}  // namespace

void check_linux_access(const LinuxSystem& system, const fs::path& device, PortObstacles& o) {
  struct stat st {};
  if (::stat(device.c_str(), &st) != 0) {
    o.missing = errno == ENOENT || errno == ENOTDIR;
    return;
  }
  if (!system.may_read_write || system.may_read_write(device)) return;
  const GroupEntry group = group_of(system.root / "etc" / "group", st.st_gid);
  o.access = access_without(system, st, group);
  o.user = system.user;
  o.group = group.name;
  o.mode = st.st_mode & 0777U;
}
