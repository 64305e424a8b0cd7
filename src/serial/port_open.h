#pragma once
// The part of `open_port` that follows the platform open, for a device that
// is already attached to `port`: line settings, timeouts, purge. Separate so
// that it can run over any device, a scripted one included.

#include <cstdint>

#include "console/console.h"
#include "serial/port_handle.h"

int open_port_setup(Console& con, PortHandle& port, const char* name, std::int32_t baud);
