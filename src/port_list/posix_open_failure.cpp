// What errno says of a failed open, on every POSIX system alike.
#include <cerrno>

#include "port_list/port_obstacles.h"

std::string open_failure_hint(int code) {
  if (code == EBUSY) return "another program holds the port, or locks it as this utility does";
  if (code == EACCES) return "this user may not open the port";
  return {};
}
