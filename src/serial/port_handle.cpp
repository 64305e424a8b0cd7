#include "serial/port_handle.h"

#include <utility>

void PortHandle::close() {
  device_.reset();
  port_dcb = PortDcb{};
  port_timeouts = PortTimeouts{};
}

void PortHandle::attach(std::unique_ptr<PortDevice> device) {
  close();
  device_ = std::move(device);
}
