#include "port_list/port_check.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "port_list/port_list_text.h"
#include "port_list/port_obstacles.h"
#include "serial/serial.h"
#include "serial/sys_error.h"

namespace {

// The rate connect uses by default; the check opens at it.
constexpr std::int32_t CHECK_BAUD = 9600;

void report_port(Console& con, const std::string& target, const std::string& path) {
  const ListedPort port = examine_port(path);
  if (path == target) con.print("Checking %s\n", printable_text(path).c_str());
  if (path != target) {
    con.print("Checking %s: %s\n", printable_text(target).c_str(), printable_text(path).c_str());
  }
  const std::string details = port_details(port);
  con.print("What the system says of it: %s\n",
            details.empty() ? "nothing (no serial port it lists)" : details.c_str() + 2);
  con.print("Looked for other programs in: %s\n", holder_signals());
  const std::vector<std::string> notes = obstacle_notes(port);
  if (notes.empty()) con.print("In the way: nothing found\n");
  if (!notes.empty()) con.print("In the way:\n");
  for (const std::string& note : notes) con.print("  %s\n", note.c_str());
}

void report_failed_open(Console& con, int code) {
  const std::string hint = open_failure_hint(code);
  con.print("  open: failed: %s%s%s%s\n", sys_error_line(code).c_str(), hint.empty() ? "" : " (",
            hint.c_str(), hint.empty() ? "" : ")");
}

// open_port does the three steps in one; its result says how far it came.
void report_steps(Console& con, OpenPortResult rc, int open_error) {
  if (rc == OpenPortResult::kCannotOpen || rc == OpenPortResult::kNoName) {
    report_failed_open(con, open_error);
    return;
  }
  con.print("  open: done\n");
  if (rc == OpenPortResult::kLineSettings) {
    con.print("  line settings: failed (as the message above says)\n");
    return;
  }
  con.print("  line settings: done\n");
  if (rc == OpenPortResult::kTimeouts) {
    con.print("  timeouts: failed (as the message above says)\n");
    return;
  }
  con.print("  timeouts: done\n");
}

}  // namespace

PortCheckResult port_check(Console& con, const std::string& target, const PortEnv& env) {
  const std::string path = env.names.device_path(target.c_str());
  report_port(con, target, path);
  // The system's reason for a failed open, before a message can change it.
  int open_error = 0;
  PortEnv opening = env;
  opening.open_device = [&](const char* device) {
    std::unique_ptr<PortDevice> opened = env.open_device(device);
    if (!opened) open_error = sys_error_code();
    return opened;
  };
  con.print(
      "Opening it as connect does (exclusive, %ld baud, 8 data bits, no parity, 1 stop bit, no "
      "flow control, DTR and RTS off):\n",
      static_cast<long>(CHECK_BAUD));
  PortHandle port;
  const OpenPortResult rc = open_port(con, port, target.c_str(), CHECK_BAUD, opening);
  report_steps(con, rc, open_error);
  if (rc != OpenPortResult::kOk) {
    con.print("The port cannot be opened.\n");
    return PortCheckResult::kNotOpened;
  }
  port.close();
  con.print("  close: done\nThe port can be opened; nothing was written to it.\n");
  return PortCheckResult::kOpened;
}
