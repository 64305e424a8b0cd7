#pragma once
// --port-check: what stands in the way at one port, then an open as connect
// does it (exclusive, 9600 baud, the line and modem lines as the utility
// sets them), closed at once. Each step is reported, a failure with the
// system's reason. Nothing is written to the port.

#include <string>

#include "console/console.h"
#include "serial/port_env.h"

enum class PortCheckResult : int {
  kOpened = 0,     // the port opened and was set up as connect sets it
  kNotOpened = 1,  // the open or its setup failed
};

// Checks `target`, a device path or a COM name that `env.names` maps, and
// opens it through `env`.
PortCheckResult port_check(Console& con, const std::string& target, const PortEnv& env);
