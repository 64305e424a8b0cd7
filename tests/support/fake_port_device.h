#pragma once
// A scripted port device for tests: it reports the capabilities it is given,
// fails the step it is told to fail (leaving the platform's I/O error, whose
// text `port_error_text` gives) and records what it was asked.

#include <string>
#include <vector>

#include "serial/port_device.h"
#include "serial/port_handle.h"
#include "serial/sys_error.h"

// The system's text for `error` as the port routines quote it in messages.
inline std::string port_error_text(PortError error) {
  char text[1024];
  sys_error_message(port_error_code(error), text, sizeof text);
  trim_system_text(text);
  return text;
}

struct FakePortScript {
  CommCaps caps{CAPS_SP_PARITY | CAPS_SP_BAUD | CAPS_SP_DATABITS | CAPS_SP_STOPBITS,
                CAPS_DATABITS_8, CAPS_STOPBITS_10 | CAPS_PARITY_NONE,
                CAPS_PCF_TOTALTIMEOUTS | CAPS_PCF_INTTIMEOUTS};
  PropsFailure props_failure = PropsFailure::kNone;
  bool fail_get_state = false;
  bool fail_set_state = false;
  bool fail_set_timeouts = false;
  bool fail_write = false;
  int write_accepts = -1;  // bytes a write takes; -1 all of them
  PortDcb driver_state{};  // what get_state reports

  // Filled in by the device.
  std::vector<PortDcb> states_set;
  std::vector<PortTimeouts> timeouts_set;
  std::string written;
  int purges = 0;
  bool closed = false;
};

class FakePortDevice final : public PortDevice {
 public:
  explicit FakePortDevice(FakePortScript& script) : s_(script) {}
  ~FakePortDevice() override { s_.closed = true; }

  PropsFailure get_properties(CommCaps& caps) override {
    if (s_.props_failure != PropsFailure::kNone) return fail(s_.props_failure);
    caps = s_.caps;
    return PropsFailure::kNone;
  }
  bool get_state(PortDcb& dcb) override {
    if (s_.fail_get_state) return fail(false);
    dcb = s_.driver_state;
    return true;
  }
  bool set_state(const PortDcb& dcb) override {
    if (s_.fail_set_state) return fail(false);
    s_.states_set.push_back(dcb);
    return true;
  }
  bool set_timeouts(const PortTimeouts& t) override {
    if (s_.fail_set_timeouts) return fail(false);
    s_.timeouts_set.push_back(t);
    return true;
  }
  bool read(unsigned char*, int, int& got) override {
    got = 0;
    return true;
  }
  bool write(const void* buf, int count, int& written) override {
    written = s_.write_accepts < 0 ? count : s_.write_accepts;
    s_.written.append(static_cast<const char*>(buf), static_cast<std::size_t>(written));
    if (s_.fail_write) return fail(false);
    if (written != count) {
      set_port_error(PortError::kTimedOut);
      return false;
    }
    return true;
  }
  void purge() override { ++s_.purges; }

 private:
  template <typename T>
  static T fail(T result) {
    set_port_error(PortError::kIo);
    return result;
  }
  FakePortScript& s_;
};

// A port handle that holds a fake device following `script`.
inline PortHandle fake_port(FakePortScript& script) {
  PortHandle port;
  port.attach(std::make_unique<FakePortDevice>(script));
  return port;
}
