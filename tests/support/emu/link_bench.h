#pragma once
// The utility's device code against the stand-in device, in-process: the
// link state's environment is the bench's, so every wait runs on virtual
// time and costs nothing.

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "console/console.h"
#include "device/link.h"
#include "emu_bench.h"

struct LinkBench {
  explicit LinkBench(EmuOptions options = {}, std::string input = "")
      : bench(std::move(options)), con(std::move(input)) {
    link.env = bench.env();
    std::strcpy(link.port_name, "COM1");
  }

  EmuBench bench;
  Console con;
  Link link{con};
};

// A port that chatters without pause (a GPS, noise) on a clock of its own:
// each read fills its buffer and takes 40 ms.
class ChattyPort final : public PortDevice {
 public:
  explicit ChattyPort(std::chrono::milliseconds& clock) : clock_(clock) {}
  PropsFailure get_properties(CommCaps& caps) override {
    caps = {0x0F, 0x0008, 0x0101, 0xC0};
    return PropsFailure::kNone;
  }
  bool get_state(PortDcb& dcb) override {
    dcb = {};
    return true;
  }
  bool set_state(const PortDcb&) override { return true; }
  bool set_timeouts(const PortTimeouts&) override { return true; }
  bool read(unsigned char* buf, int size, int& got) override {
    std::fill_n(buf, size, '$');
    got = size;
    clock_ += std::chrono::milliseconds(40);
    return true;
  }
  bool write(const void*, int count, int& written) override {
    written = count;
    return true;
  }
  void purge() override {}

 private:
  std::chrono::milliseconds& clock_;
};

// Every port the link opens is a chattering one, on `clock`.
inline void chatter_on(Link& link, std::chrono::milliseconds& clock) {
  link.env.open_device = [&clock](const char*) { return std::make_unique<ChattyPort>(clock); };
  link.env.now = [&clock] { return PortEnv::Clock::time_point(clock); };
}

// What the operator sees while the device powers on.
inline std::string power_on_text(long rate) {
  return format_text(
      "Connecting at %ld...\n"
      "\a\aTURN ON the kTrevaNodi or CYCLE THE POWER if it is already on.\n"
      "You have 20 seconds to do this...",
      rate);
}
