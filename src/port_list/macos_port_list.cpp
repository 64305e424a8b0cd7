// macOS names each serial port twice in /dev; the callout device (cu.*) is
// the one to open, since it does not wait for a carrier.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "port_list/port_list.h"

namespace fs = std::filesystem;

PortListing list_ports() {
  PortListing listing;
  std::error_code ec;
  fs::directory_iterator it("/dev", ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind("cu.", 0) == 0) listing.ports.emplace_back().name = it->path().string();
  }
  if (ec) {
    listing.problem = "cannot read /dev: " + ec.message();
    listing.ports.clear();
  }
  std::sort(
      listing.ports.begin(), listing.ports.end(),
      [](const ListedPort& a, const ListedPort& b) { return port_name_less(a.name, b.name); });
  return listing;
}
