// The connect handshake with the fuzzer as the device: connect mode from a
// closed link, or (bit 7 of the first byte) the baud-change check on a link
// already connected. Besides the run's checks, nothing but the mode's one
// byte (the attention byte, or the wake-up CR) is ever sent.
#include <cstddef>
#include <cstdint>
#include <string>

#include "device/dev_connect.h"
#include "wire_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WireRun w(data, size);
  const std::int32_t rate = w.header.rate;
  if (!w.header.baud_change) {
    w.run(connect_bound_ms(rate), [&] { dev_connect(w.link, rate, ConnectMode::kConnect); });
    for (const std::string& sent : w.writes) wire_check(sent == "\x03", "sent other than ETX");
    return 0;
  }
  wire_check(w.link.open(rate) == OpenPortResult::kOk, "the port did not open");
  w.link.connected = 1;
  w.run(baud_change_bound_ms(rate), [&] { dev_connect(w.link, rate, ConnectMode::kBaudChange); });
  for (const std::string& sent : w.writes) wire_check(sent == "\r", "sent other than CR");
  return 0;
}
