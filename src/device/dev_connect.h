#pragma once

#include <cstdint>

#include "console/console.h"
#include "device/link_state.h"

constexpr int DEV_MODE_CONNECT = 0;
constexpr int DEV_MODE_BAUD_CHANGE = 1;

// Opens the link (mode 0) or checks it after a host rate change (mode 1).
// Prints its own messages; `link.connected` carries the outcome.
int dev_connect(Console& con, LinkState& link, std::int32_t rate, int mode);
