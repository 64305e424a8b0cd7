#pragma once
// The utility's device code against the stand-in device, in-process: the
// link state's environment is the bench's, so every wait runs on virtual
// time and costs nothing.

#include <cstring>
#include <string>
#include <utility>

#include "console/console.h"
#include "device/link_state.h"
#include "emu_bench.h"

struct LinkBench {
  explicit LinkBench(EmuOptions options = {}, std::string input = "")
      : bench(std::move(options)), con(std::move(input)) {
    link.env = bench.env();
    std::strcpy(link.port_name, "COM1");
  }

  EmuBench bench;
  Console con;
  LinkState link;
};

// What the operator sees while the device powers on.
inline std::string power_on_text(long rate) {
  return format_text(
      "Connecting at %ld...\n"
      "\a\aTURN ON the kTrevaNodi or CYCLE THE POWER if it is already on.\n"
      "You have 20 seconds to do this...",
      rate);
}
