#include "serial/serial.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "console/interrupts.h"
#include "serial/port_names.h"
#include "serial/port_rate_table.h"
#include "serial/sys_error.h"
#include "serial/traced_port_device.h"

namespace {

// The open device, or null with the "bad handle" error set: an operation on
// a port that is not open fails as the system would fail it.
PortDevice* device_or_bad_handle(PortHandle& port) {
  PortDevice* device = port.device();
  if (device == nullptr) set_bad_handle_error();
  return device;
}

CommPropResult props_failure(Console& con, const char* name, PropsFailure failure) {
  const bool alloc = failure == PropsFailure::kAllocFirst || failure == PropsFailure::kAllocSecond;
  if (alloc) {
    con.print("\a\aError: could not malloc comm properties buffer for port %s: %s\n", name,
              sys_error_text());
  } else {
    con.print("\a\aError: could not get comm properties for port %s: %s\n", name, sys_error_text());
  }
  switch (failure) {
    case PropsFailure::kAllocFirst:
      return CommPropResult::kAllocFirst;
    case PropsFailure::kGetFirst:
      return CommPropResult::kQueryFirst;
    case PropsFailure::kAllocSecond:
      return CommPropResult::kAllocSecond;
    default:
      return CommPropResult::kQuerySecond;
  }
}

CommPropResult query_caps(Console& con, PortHandle& port, const char* name, CommCaps& caps) {
  PortDevice* device = device_or_bad_handle(port);
  if (device == nullptr) return props_failure(con, name, PropsFailure::kGetFirst);
  const PropsFailure failure = device->get_properties(caps);
  return failure == PropsFailure::kNone ? CommPropResult::kOk : props_failure(con, name, failure);
}

CommPropResult check_caps(Console& con, const char* name, const CommCaps& caps) {
  constexpr std::uint32_t params =
      CAPS_SP_PARITY | CAPS_SP_BAUD | CAPS_SP_DATABITS | CAPS_SP_STOPBITS;
  constexpr std::uint16_t stop_parity = CAPS_STOPBITS_10 | CAPS_PARITY_NONE;
  constexpr std::uint32_t timeouts = CAPS_PCF_TOTALTIMEOUTS | CAPS_PCF_INTTIMEOUTS;
  if ((caps.settable_params & params) != params) {
    con.print(
        "\a\aError: required comm properties for port %s not settable: Settable Params 0x%08x\n",
        name, static_cast<unsigned>(caps.settable_params));
    return CommPropResult::kParams;
  }
  if ((caps.settable_data & CAPS_DATABITS_8) == 0) {
    con.print(
        "\a\aError: 8 data bits comm properties for port %s not settable: Settable Data 0x%04x\n",
        name, static_cast<unsigned>(caps.settable_data));
    return CommPropResult::kDataBits;
  }
  if ((caps.settable_stop_parity & stop_parity) != stop_parity) {
    con.print(
        "\a\aError: 1 stop bit, no parity comm properties for port %s not settable: Settable Stop "
        "& Parity 0x%04x\n",
        name, static_cast<unsigned>(caps.settable_stop_parity));
    return CommPropResult::kStopParity;
  }
  if ((caps.prov_capabilities & timeouts) != timeouts) {
    con.print(
        "\a\aError: timeouts comm properties for port %s not settable: Settable Prov Cap 0x%08x\n",
        name, static_cast<unsigned>(caps.prov_capabilities));
    return CommPropResult::kTimeouts;
  }
  return CommPropResult::kOk;
}

CommPropResult set_line(Console& con, PortHandle& port, const char* name, std::uint32_t rate) {
  PortDcb dcb;
  if (!port.device()->get_state(dcb)) {
    con.print("\a\aError: could not get the comm state for port %s: %s\n", name, sys_error_text());
    return CommPropResult::kGetState;
  }
  apply_line_settings(dcb, rate);
  if (!port.device()->set_state(dcb)) {
    con.print("\a\aError: could not set the comm state for port %s: %s\n", name, sys_error_text());
    return CommPropResult::kSetState;
  }
  port.port_dcb = dcb;
  return CommPropResult::kOk;
}

CommPropResult check_and_set(Console& con, PortHandle& port, const char* name, std::uint32_t rate) {
  CommCaps caps;
  CommPropResult rc = query_caps(con, port, name, caps);
  if (rc == CommPropResult::kOk) rc = check_caps(con, name, caps);
  if (rc == CommPropResult::kOk) rc = set_line(con, port, name, rate);
  return rc;
}

// Every failure of a read is fatal: read_port_fatal does not return for the
// codes used here, and the returns after it only keep the flow plain.
bool read_args_ok(Console& con, const char* name, const std::uint8_t* buf, int size) {
  if (name == nullptr) {
    read_port_fatal(con, READ_FATAL_SETUP, "read_port: Error: invalid param port\n");
    return false;
  }
  if (buf == nullptr) {
    read_port_fatal(con, READ_FATAL_SETUP, "read_port: Error: invalid param buf ptr\n");
    return false;
  }
  // A negative size is refused too: the driver would take it as a huge count.
  if (size <= 0) {
    const std::string text = format_text("read_port: Error: invalid param size: %d\n", size);
    read_port_fatal(con, READ_FATAL_SETUP, text.c_str());
    return false;
  }
  return true;
}

bool set_read_timeouts(PortHandle& port, std::uint32_t timeout_ms) {
  PortDevice* device = device_or_bad_handle(port);
  return device != nullptr && device->set_timeouts(read_timeouts(
                                  port.port_timeouts, port.port_dcb.baud_rate, timeout_ms));
}

// A short write is a failed write: the device would get a truncated command.
bool write_all(PortHandle& port, const void* buf, int count, int& written) {
  PortDevice* device = device_or_bad_handle(port);
  return device != nullptr && device->write(buf, count, written) && written == count;
}

// Leaves the operator time to read the report before the window may close.
[[noreturn]] void pause_then_abort() {
  std::this_thread::sleep_for(std::chrono::milliseconds(5000));
  std::abort();
}

ReadFatalEnd read_fatal_end = pause_then_abort;

}  // namespace

OpenPortResult open_port(Console& con, PortHandle& port, const char* name, std::int32_t baud,
                         const PortEnv& env) {
  if (name == nullptr) {
    con.print("open_port: Error: port null argument\n");
    return OpenPortResult::kNoName;
  }
  // One port at a time: a handle still held is released before the next open.
  port.close();
  const std::string path = env.names.device_path(name);
  std::unique_ptr<PortDevice> device =
      env.trace == nullptr ? env.open_device(path.c_str())
                           : traced_opener(env.open_device, *env.trace, name, baud)(path.c_str());
  if (!device) {
    con.print("\a\aError: cannot open com port %s: %s\n", name, sys_error_text());
    return OpenPortResult::kCannotOpen;
  }
  port.attach(std::move(device));
  return open_port_setup(con, port, name, baud);
}

OpenPortResult open_port_setup(Console& con, PortHandle& port, const char* name,
                               std::int32_t baud) {
  if (set_comm_prop(con, port, name, baud) != CommPropResult::kOk) {
    port.close();
    return OpenPortResult::kLineSettings;
  }
  port.port_timeouts = open_timeouts(port.port_dcb.baud_rate);
  if (!port.device()->set_timeouts(port.port_timeouts)) {
    con.print("\a\aError: could not set the comm timeouts for port %s: %s\n", name,
              sys_error_text());
    port.close();
    return OpenPortResult::kTimeouts;
  }
  purge_port(port);
  return OpenPortResult::kOk;
}

CommPropResult set_comm_prop(Console& con, PortHandle& port, const char* name, std::int32_t baud) {
  if (name == nullptr) {
    con.print("set_comm_prop: Error: port null argument\n");
    return CommPropResult::kNoName;
  }
  const std::uint32_t* rate = get_baud(con, baud);
  if (rate == nullptr) {
    con.print("\a\aError: Invalid baud rate %ld\n", static_cast<long>(baud));
    return CommPropResult::kBadRate;
  }
  const CommPropResult rc = check_and_set(con, port, name, *rate);
  if (rc != CommPropResult::kOk) port.close();
  return rc;
}

int read_port(Console& con, PortHandle& port, const char* name, std::uint8_t* buf, int size,
              std::uint32_t timeout_ms) {
  if (!read_args_ok(con, name, buf, size)) return 0;
  if (!set_read_timeouts(port, timeout_ms)) {
    const std::string text = format_text(
        "\a\aError: could not set the comm timeouts for port %s: %s\n", name, sys_error_text());
    read_port_fatal(con, READ_FATAL_SETUP, text.c_str());
    return 0;
  }
  service_interrupt();  // a Ctrl-C that came before this wait began
  int got = 0;
  const bool read = port.device()->read(buf, size, got);
  // A read that a Ctrl-C cut short is no failed read.
  if (read || session_ending()) service_interrupt();
  if (!read) {
    const std::string text =
        format_text("\a\aError: could not read on COM port %s: %s\n", name, sys_error_text());
    read_port_fatal(con, READ_FATAL_READ, text.c_str());
    return 0;
  }
  return got;
}

int write_port(Console& con, PortHandle& port, const char* name, const void* buf, int count) {
  if (name == nullptr) {
    con.print("write_port: Error: invalid param file port\n");
    return WRITE_PORT_BAD_ARG;
  }
  if (buf == nullptr) {
    con.print("write_port: Error: invalid param buf ptr\n");
    return WRITE_PORT_NO_BUFFER;
  }
  // A negative count is refused with the same message: it is no count at all.
  if (count <= 0) {
    con.print("write_port: Error: invalid param len: %d\n", count);
    return WRITE_PORT_BAD_ARG;
  }
  service_interrupt();
  int written = 0;
  if (!write_all(port, buf, count, written)) {
    con.print("\a\aError: wrote %d of %d, got error on port %s: %s\n", written, count, name,
              sys_error_text());
    return WRITE_PORT_FAILED;
  }
  return count;
}

void purge_port(PortHandle& port) {
  if (PortDevice* device = port.device()) device->purge();
}

void read_port_fatal(Console& con, int code, const char* text) {
  const int system_code = sys_error_code();
  con.error("%s", text);
  con.error("Return code %d, system error code %d\n", code, system_code);
  if (code == 0) return;
  read_fatal_end();
  std::abort();
}

void set_read_fatal_end(ReadFatalEnd end) {
  read_fatal_end = end != nullptr ? end : pause_then_abort;
}

const char* sys_error_text() {
  static char text[1024];
  sys_error_message(sys_error_code(), text, sizeof text);
  trim_system_text(text);
  return text;
}
