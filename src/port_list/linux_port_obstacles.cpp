// The console and the desktop services, and everything put together.
#include "port_list/linux_port_obstacles.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <system_error>

#include "port_list/linux_port_list.h"
#include "port_list/port_obstacles.h"

namespace fs = std::filesystem;

namespace {

// The CH340/CH341 USB serial chips that brltty's udev rules take, as some of
// the braille displays it drives use them.
bool brltty_claims(const ListedPort& port) {
  return port.usb && port.vendor_id == 0x1a86 &&
         (port.product_id == 0x7523 || port.product_id == 0x5523);
}

bool brltty_installed(const fs::path& root) {
  for (const char* folder : {"usr/bin", "bin", "usr/sbin", "sbin"}) {
    std::error_code ec;
    if (fs::exists(root / folder / "brltty", ec)) return true;
  }
  return false;
}

// /proc/consoles: the terminal's name first on each line ("ttyS0 -W- (EC p a) 4:64").
bool is_console(const fs::path& proc, const std::string& name) {
  std::ifstream in(proc / "consoles");
  for (std::string word, rest; in >> word && std::getline(in, rest);) {
    if (word == name) return true;
  }
  return false;
}

// std::filesystem::equivalent refuses device files; stat does not.
bool same_file(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool process_running(const fs::path& proc, const std::string& program) {
  std::error_code ec;
  for (fs::directory_iterator it(proc, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string pid = it->path().filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    if (sysfs_attribute(it->path() / "comm") == program) return true;
  }
  return false;
}

}  // namespace

PortObstacles find_linux_obstacles(const LinuxSystem& system, const ListedPort& port) {
  PortObstacles o;
  const fs::path device = port.name;
  check_linux_access(system, device, o);
  if (o.missing) return o;
  o.holders = linux_port_holders(system, device);
  std::error_code ec;
  const fs::path real = fs::weakly_canonical(device, ec);
  o.console = is_console(system.root / "proc", (ec ? device : real).filename().string());
  o.modem_manager = port.usb && process_running(system.root / "proc", "ModemManager");
  o.brltty = brltty_claims(port) && brltty_installed(system.root);
  return o;
}

LinuxSystem this_linux_system() {
  LinuxSystem system;
  const uid_t uid = ::getuid();
  const passwd* pw = ::getpwuid(uid);
  system.user = pw != nullptr ? pw->pw_name : std::to_string(uid);
  system.primary_gid = pw != nullptr ? pw->pw_gid : ::getgid();
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
  const int got = groups.empty() ? 0 : ::getgroups(static_cast<int>(groups.size()), groups.data());
  groups.resize(static_cast<std::size_t>(std::max(got, 0)));
  system.groups.assign(groups.begin(), groups.end());
  system.groups.push_back(::getegid());
  system.may_read_write = [](const fs::path& device) {
    return ::access(device.c_str(), R_OK | W_OK) == 0;
  };
  return system;
}

ListedPort examine_port(const std::string& path) {
  const LinuxSystem system = this_linux_system();
  ListedPort port;
  PortListing listing = list_linux_ports({system.root / "sys", system.root / "dev"});
  for (ListedPort& p : listing.ports) {
    if (same_file(p.name, path)) port = std::move(p);
  }
  if (port.name.empty()) port.name = path;
  port.obstacles = find_linux_obstacles(system, port);
  return port;
}

const char* holder_signals() {
  return "open files of processes (/proc/PID/fd), locks (/proc/locks), lock files "
         "(/var/lock/LCK..NAME, /run/lock/LCK..NAME)";
}
