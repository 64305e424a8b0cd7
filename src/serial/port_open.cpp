#include "serial/port_open.h"

#include "serial/serial.h"

int open_port_setup(Console& con, PortHandle& port, const char* name, std::int32_t baud) {
  if (set_comm_prop(con, port, name, baud) != 0) {
    port.close();
    return -3;
  }
  port.port_timeouts = open_timeouts(port.port_dcb.baud_rate);
  if (!port.device()->set_timeouts(port.port_timeouts)) {
    con.print("\a\aError: could not set the comm timeouts for port %s: %s\n", name,
              sys_error_text());
    port.close();
    return -14;
  }
  purge_port(port);
  return 0;
}
