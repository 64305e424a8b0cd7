#pragma once
// How the stand-in device behaves: its timing and the faults it commits.

#include <chrono>
#include <vector>

#include "emu_faults.h"

struct EmuOptions {
  // From the host's open of the port to the device's power-on (the host's
  // drain is over by then). Negative: it powers on only when told to (a
  // device that is on and silent, or an operator who powers it by hand).
  std::chrono::milliseconds power_on{400};
  // The boot loader's wait for SYN after its ENQ.
  std::chrono::milliseconds enq_wait{200};
  // A download packet left incomplete (or a frame with an impossible length)
  // is dropped and answered NAK once the line has been quiet this long.
  std::chrono::milliseconds resync_gap{50};
  // Like a real line at the port's speed: 10 bits a byte both ways, and
  // `turnaround` before each reply. Without it every reply is instant.
  bool pace = false;
  std::chrono::microseconds turnaround{0};
  // A USB serial adapter's latency timer between the device and the host
  // (usb_latency.h); 0: the device's bytes reach the host as they leave it.
  std::chrono::milliseconds usb_latency{0};
  std::vector<Fault> faults;
};
