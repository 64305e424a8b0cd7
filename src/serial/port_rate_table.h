#pragma once

#include <cstdint>

#include "console/console.h"

// The rates the serial layer accepts, in order, ended by a 0 entry.
extern const std::uint32_t port_rate_table[14];

// The table entry for `baud`, or null. A baud of 0 is a caller's mistake and
// says so; any other rate missing from the table gives null silently.
const std::uint32_t* get_baud(Console& con, long baud);
