#pragma once

#include "console/console.h"
#include "device/link_state.h"

// Replaces the device firmware from an Intel HEX file through the boot loader
// on port COM<port_number>. 0 on success, a negative code on failure.
int firmware(Console& con, LinkState& link, int port_number, const char* file_name);
