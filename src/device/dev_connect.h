#pragma once
// The text dialogue that opens a link. Connect mode opens the port, drains
// the line, has the operator power the device on, recognises its greeting
// (product name, then this utility's version), sends the attention byte and
// waits for "Connected <rate>". Baud-change mode, after "host <rate>\r" went
// out, wakes the device with a CR and waits for its prompt.

#include <cstdint>

#include "device/link.h"

enum class ConnectMode : int { kConnect = 0, kBaudChange = 1 };

enum class ConnectResult : int {
  kConnected = 0,
  kAlreadyConnected = 1,
  kCannotOpen = 2,    // the port could not be opened
  kNoProduct = 3,     // no product name in the greeting
  kWrongVersion = 4,  // not the required version
  kAttention = 5,     // the attention byte could not be written
  kRateNotConfirmed = 6,
  kWakeUp = 7,  // the wake-up byte could not be written
  kNoPrompt = 8,
  kNeverQuiet = 9,  // the line never went quiet before the greeting
};

ConnectResult dev_connect(Link& link, std::int32_t rate, ConnectMode mode);
