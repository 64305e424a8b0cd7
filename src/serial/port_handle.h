#pragma once
// The one open serial port: the platform device (closed with the handle) and
// the state kept while it is open, the line settings last written to the
// driver (`port_dcb`, whose rate the timeouts follow) and the timeouts set at
// open (`port_timeouts`).

#include <memory>

#include "serial/port_device.h"

class PortHandle {
 public:
  PortHandle() = default;
  PortHandle(PortHandle&&) noexcept = default;
  PortHandle& operator=(PortHandle&&) noexcept = default;

  bool is_open() const { return device_ != nullptr; }
  void close();
  // Takes over a device that is open; any device held before is closed first.
  void attach(std::unique_ptr<PortDevice> device);
  // The open device, or null.
  PortDevice* device() const { return device_.get(); }

  PortDcb port_dcb;
  PortTimeouts port_timeouts;

 private:
  std::unique_ptr<PortDevice> device_;
};
