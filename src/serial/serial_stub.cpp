// PLACEHOLDER until the serial backends land: every port operation fails.
#include "serial/serial.h"

int open_port(Console& con, PortHandle&, const char* name, std::int32_t) {
  con.print("\a\aError: cannot open com port %s: %s\n", name, sys_error_text());
  return -2;
}
int set_comm_prop(Console&, PortHandle&, const char*, std::int32_t) { return -1; }
int read_port(Console&, PortHandle&, const char*, std::uint8_t*, int, std::uint32_t) { return 0; }
int write_port(Console&, PortHandle&, const char*, const void*, int) { return -3; }
void purge_port(PortHandle&) {}
const char* sys_error_text() { return "serial ports are not available in this build"; }
void read_port_fatal(Console&, int, const char*) {}
