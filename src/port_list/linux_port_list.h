#pragma once
// The Linux port list, from sysfs: a terminal in /sys/class/tty is a serial
// port when it has a device behind it (virtual consoles and pseudo-terminals
// have none) and, for a UART driven by the serial core, when a UART is there
// (a `type` other than 0). The USB device's IDs and strings are attributes of
// a directory up the device's path; udev's /dev/serial/by-id links give the
// names that survive a replug. Both roots are parameters, so that tests run
// the lister over a tree they build.

#include <filesystem>
#include <map>
#include <string>

#include "port_list/port_list.h"

struct SysfsRoots {
  std::filesystem::path sys{"/sys"};
  std::filesystem::path dev{"/dev"};
};

PortListing list_linux_ports(const SysfsRoots& roots);

// What sysfs says of the terminal whose /sys/class/tty entry is `entry`;
// false when it is no serial port. Fills everything but the name and by-id.
bool describe_tty(const std::filesystem::path& entry, const std::filesystem::path& sys_root,
                  ListedPort& port);

// The links in `dev`/serial/by-id by the name of the terminal each points to
// (the first in name order where several do).
std::map<std::string, std::string> by_id_links(const std::filesystem::path& dev);

// The first line of a sysfs attribute, or empty.
std::string sysfs_attribute(const std::filesystem::path& file);
