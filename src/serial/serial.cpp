#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "serial/serial.h"

namespace {

// Every failure of a read is fatal: read_port_fatal does not return for the
// codes used here, and the returns after it only keep the flow plain.
bool read_args_ok(Console& con, const char* name, const std::uint8_t* buf, int size) {
  if (name == nullptr) {
    read_port_fatal(con, 25, "read_port: Error: invalid param port\n");
    return false;
  }
  if (buf == nullptr) {
    read_port_fatal(con, 25, "read_port: Error: invalid param buf ptr\n");
    return false;
  }
  // A negative size is refused too: the driver would take it as a huge count.
  if (size <= 0) {
    const std::string text = format_text("read_port: Error: invalid param size: %d\n", size);
    read_port_fatal(con, 25, text.c_str());
    return false;
  }
  return true;
}

bool set_read_timeouts(PortHandle& port, std::uint32_t timeout_ms) {
  PortDevice* device = port.device();
  if (device == nullptr) {
    set_bad_handle_error();
    return false;
  }
  return device->set_timeouts(
      read_timeouts(port.port_timeouts, port.port_dcb.baud_rate, timeout_ms));
}

// A short write is a failed write: the device would get a truncated command.
bool write_all(PortHandle& port, const void* buf, int count, int& written) {
  PortDevice* device = port.device();
  if (device == nullptr) {
    set_bad_handle_error();
    return false;
  }
  return device->write(buf, count, written) && written == count;
}

}  // namespace

int read_port(Console& con, PortHandle& port, const char* name, std::uint8_t* buf, int size,
              std::uint32_t timeout_ms) {
  if (!read_args_ok(con, name, buf, size)) return 0;
  if (!set_read_timeouts(port, timeout_ms)) {
    const std::string text = format_text(
        "\a\aError: could not set the comm timeouts for port %s: %s\n", name, sys_error_text());
    read_port_fatal(con, 25, text.c_str());
    return 0;
  }
  int got = 0;
  if (!port.device()->read(buf, size, got)) {
    const std::string text =
        format_text("\a\aError: could not read on COM port %s: %s\n", name, sys_error_text());
    read_port_fatal(con, 26, text.c_str());
    return 0;
  }
  return got;
}

int write_port(Console& con, PortHandle& port, const char* name, const void* buf, int count) {
  if (name == nullptr) {
    con.print("write_port: Error: invalid param file port\n");
    return -1;
  }
  if (buf == nullptr) {
    con.print("write_port: Error: invalid param buf ptr\n");
    return -2;
  }
  // A negative count is refused with the same message: it is no count at all.
  if (count <= 0) {
    con.print("write_port: Error: invalid param len: %d\n", count);
    return -1;
  }
  int written = 0;
  if (!write_all(port, buf, count, written)) {
    con.print("\a\aError: wrote %d of %d, got error on port %s: %s\n", written, count, name,
              sys_error_text());
    return -3;
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
  // Leaves the operator time to read the report before the window may close.
  std::this_thread::sleep_for(std::chrono::milliseconds(5000));
  std::abort();
}
