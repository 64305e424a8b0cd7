#pragma once
// The text dialogue that opens a link. Connect mode opens the port, drains
// the line, has the operator power the device on, recognises its greeting
// (product name, then this utility's version), sends the attention byte and
// waits for "Connected <rate>". Baud-change mode, after "host <rate>\r" went
// out, wakes the device with a CR and waits for its prompt.

#include <cstdint>

#include "console/console.h"
#include "device/link_state.h"

constexpr int DEV_MODE_CONNECT = 0;
constexpr int DEV_MODE_BAUD_CHANGE = 1;

// Results: 0 connected; 1 already connected; 2 the port could not be opened;
// 3 no product name; 4 not the required version; 5 the attention byte could
// not be written; 6 the rate was not confirmed; 7 the wake-up byte could not
// be written; 8 no prompt; 9 the line never went quiet before the greeting.
int dev_connect(Console& con, LinkState& link, std::int32_t rate, int mode);
