#include "port_list/linux_port_list.h"

#include <algorithm>
#include <system_error>

#include "port_list/linux_port_obstacles.h"

namespace fs = std::filesystem;

PortListing list_linux_ports(const SysfsRoots& roots) {
  PortListing listing;
  const fs::path ttys = roots.sys / "class" / "tty";
  std::error_code ec;
  fs::directory_iterator it(ttys, ec);
  if (ec) {
    listing.problem = "cannot read " + ttys.string() + ": " + ec.message();
    return listing;
  }
  const std::map<std::string, std::string> links = by_id_links(roots.dev);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    ListedPort port;
    if (!describe_tty(it->path(), roots.sys, port)) continue;
    const std::string name = it->path().filename().string();
    port.name = (roots.dev / name).string();
    if (const auto link = links.find(name); link != links.end()) port.by_id = link->second;
    listing.ports.push_back(std::move(port));
  }
  if (ec) {
    listing.problem = "cannot read " + ttys.string() + ": " + ec.message();
    listing.ports.clear();
  }
  std::sort(
      listing.ports.begin(), listing.ports.end(),
      [](const ListedPort& a, const ListedPort& b) { return port_name_less(a.name, b.name); });
  return listing;
}

PortListing list_ports() {
  const LinuxSystem system = this_linux_system();
  PortListing listing = list_linux_ports({system.root / "sys", system.root / "dev"});
  for (ListedPort& port : listing.ports) port.obstacles = find_linux_obstacles(system, port);
  return listing;
}
