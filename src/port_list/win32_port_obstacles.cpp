// Windows tells whether a COM port is open elsewhere only to a program that
// opens it (CreateFile refuses with ERROR_ACCESS_DENIED, as the exclusive
// open asks), and an open would disturb the device. So a port is what the
// device manager says of it, and a COM name that the system lacks is not there.
#include <windows.h>

#include <cctype>

#include "port_list/port_obstacles.h"

namespace {

// "\\.\COM3" and "com3" name the port COM3.
std::string com_name(const std::string& path) {
  std::string name = path.rfind("\\\\.\\", 0) == 0 ? path.substr(4) : path;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

bool is_com_name(const std::string& name) {
  return name.size() > 3 && name.rfind("COM", 0) == 0 &&
         name.find_first_not_of("0123456789", 3) == std::string::npos;
}

}  // namespace

ListedPort examine_port(const std::string& path) {
  const std::string name = com_name(path);
  PortListing listing = list_ports();
  for (ListedPort& port : listing.ports) {
    if (port.name == name) return std::move(port);
  }
  ListedPort port;
  port.name = path;
  port.obstacles.missing = listing.problem.empty() && is_com_name(name);
  return port;
}

const char* holder_signals() {
  return "none: Windows tells whether a port is in use only to a program that opens it";
}

std::string open_failure_hint(int code) {
  if (code == ERROR_ACCESS_DENIED) {
    return "Windows refuses a port this way when another program has it open";
  }
  if (code == ERROR_FILE_NOT_FOUND) return "the system has no such port";
  return {};
}
