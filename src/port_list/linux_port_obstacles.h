#pragma once
// What stands in the way at a Linux port, from files anyone may read:
//
//   held      the open files of processes (/proc/PID/fd: this user's own,
//             or every process's for root), the locks in /proc/locks (flock
//             and fcntl locks, every process's, with the pid), and UUCP lock
//             files (/var/lock/LCK..NAME, /run/lock/LCK..NAME) with a pid;
//   access    the device's owner, group and mode against this process's
//             user and groups, and the group's members in /etc/group;
//   console   /proc/consoles;
//   services  a process named ModemManager, a brltty program installed.
//
// Every file but the device itself is read under `root`, and the user's
// identity is a parameter, so that tests run it over a tree they build.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "port_list/port_list.h"

struct LinuxSystem {
  std::filesystem::path root{"/"};
  std::string user;
  unsigned primary_gid = 0;      // the user's group in the password database
  std::vector<unsigned> groups;  // this process's groups (getgroups and the effective one)
  // Whether this user may read and write the device (access(2) for the real system).
  std::function<bool(const std::filesystem::path&)> may_read_write;
};

// The running system and this process's user.
LinuxSystem this_linux_system();

// Everything in the way at `port`, whose name is its device path.
PortObstacles find_linux_obstacles(const LinuxSystem& system, const ListedPort& port);

// The processes that hold `device` open or locked, each once, by pid.
std::vector<PortHolder> linux_port_holders(const LinuxSystem& system,
                                           const std::filesystem::path& device);

// Whether the device is there and this user may open it; fills `o.missing`,
// `o.access` and what the access advice names.
void check_linux_access(const LinuxSystem& system, const std::filesystem::path& device,
                        PortObstacles& o);
