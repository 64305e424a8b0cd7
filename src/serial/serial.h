#pragma once
// The serial port routines the rest of the utility uses. They act on the one
// open port, held in the link state's `port_handle`; the port name is used to
// open it and in messages.

#include <cstdint>

#include "console/console.h"
#include "serial/port_env.h"
#include "serial/port_handle.h"

// Opens `name` through `opener` (the platform's device open by default).
int open_port(Console& con, PortHandle& port, const char* name, std::int32_t baud,
              const PortOpener& opener = PortEnv{}.open_device);
int set_comm_prop(Console& con, PortHandle& port, const char* name, std::int32_t baud);
// Never returns on failure: a failed read ends the process.
int read_port(Console& con, PortHandle& port, const char* name, std::uint8_t* buf, int size,
              std::uint32_t timeout_ms);
int write_port(Console& con, PortHandle& port, const char* name, const void* buf, int count);
void purge_port(PortHandle& port);
const char* sys_error_text();
void read_port_fatal(Console& con, int code, const char* text);
