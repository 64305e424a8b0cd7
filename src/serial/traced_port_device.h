#pragma once
// A port device that writes every operation on the port to a wire trace and
// passes it on unchanged, the platform's last error included, so that the
// port routines and their messages behave as without it.

#include <cstdint>
#include <memory>
#include <string>

#include "serial/port_env.h"
#include "serial/wire_trace.h"

class TracedPortDevice : public PortDevice {
 public:
  TracedPortDevice(std::unique_ptr<PortDevice> inner, WireTrace& trace);
  ~TracedPortDevice() override;
  TracedPortDevice(const TracedPortDevice&) = delete;
  TracedPortDevice& operator=(const TracedPortDevice&) = delete;

  PropsFailure get_properties(CommCaps& caps) override { return inner_->get_properties(caps); }
  bool get_state(PortDcb& dcb) override { return inner_->get_state(dcb); }
  bool set_state(const PortDcb& dcb) override;
  bool set_timeouts(const PortTimeouts& timeouts) override;
  bool read(unsigned char* buf, int size, int& got) override;
  bool write(const void* buf, int count, int& written) override;
  void purge() override;

 private:
  std::unique_ptr<PortDevice> inner_;
  WireTrace& trace_;
  PortTimeouts timeouts_;
  bool timeouts_traced_ = false;
};

// An opener that traces the open of port `name` at `baud` through `inner`
// and hands out traced devices.
PortOpener traced_opener(PortOpener inner, WireTrace& trace, std::string name, std::int32_t baud);

// "line 4800 baud, 8 data bits, parity none, 1 stop bit, flow none".
std::string line_settings_text(const PortDcb& dcb);
