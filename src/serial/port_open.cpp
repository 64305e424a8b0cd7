#include "serial/port_open.h"

#include <memory>
#include <string>
#include <utility>

#include "serial/port_names.h"
#include "serial/serial.h"

int open_port(Console& con, PortHandle& port, const char* name, std::int32_t baud,
              const PortOpener& opener) {
  if (name == nullptr) {
    con.print("open_port: Error: port null argument\n");
    return -1;
  }
  // One port at a time: a handle still held is released before the next open.
  port.close();
  const std::string path = port_device_path(name);
  std::unique_ptr<PortDevice> device = opener(path.c_str());
  if (!device) {
    con.print("\a\aError: cannot open com port %s: %s\n", name, sys_error_text());
    return -2;
  }
  port.attach(std::move(device));
  return open_port_setup(con, port, name, baud);
}

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
