#pragma once
// What the link needs from its surroundings besides the console: the --com
// table, a way to open a port device by path, a monotonic clock and the wall
// clock in whole seconds. The utility uses the platform's; tests put a device
// model and its virtual time behind the last three, so a 20-second wait costs
// no wall time.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "serial/port_device.h"
#include "serial/port_names.h"

class WireTrace;

using PortOpener = std::function<std::unique_ptr<PortDevice>(const char* path)>;

struct PortEnv {
  using Clock = std::chrono::steady_clock;

  PortNames names;
  PortOpener open_device = [](const char* path) { return port_device_open(path); };
  std::function<Clock::time_point()> now = [] { return Clock::now(); };
  std::function<std::int64_t()> wall_seconds = [] {
    return static_cast<std::int64_t>(std::time(nullptr));
  };
  // Where every port event goes with --trace; null without it.
  WireTrace* trace = nullptr;
  // What keeps port `name` (the device at `path`) from opening, in one line
  // for the operator, or empty. Set only where standard output is a
  // terminal: port discovery lives outside this layer and the protocol code.
  std::function<std::string(const std::string& name, const std::string& path)> open_advice;
};
