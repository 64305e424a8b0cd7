#pragma once
// A USB serial adapter's latency timer, on the way from the device to the
// host. The adapter collects what the device sends and passes it on in one
// USB packet when `latency` has passed since the first byte of the packet
// came in, or at once when the packet is full (62 bytes: a 64-byte packet
// less the chip's two status bytes). Each byte is admitted as it leaves the
// device's line, in time order; the answer says when it reaches the host,
// and how many bytes admitted before it now go with it, sooner than they
// were told (the packet filled up before its timer ran out).

#include <chrono>
#include <cstddef>

#include "emu_time.h"

constexpr std::size_t USB_PACKET_BYTES = 62;

struct UsbDelivery {
  EmuTime at;               // when this byte reaches the host
  std::size_t earlier = 0;  // bytes admitted just before it that go at `at` too
};

class UsbLatency {
 public:
  // A latency of 0: no adapter, every byte goes on as it comes.
  explicit UsbLatency(std::chrono::milliseconds latency = {}) : latency_(latency) {}

  UsbDelivery admit(EmuTime arrival);
  // The adapter is empty again (a new session, a hang-up).
  void reset() { held_ = 0; }

 private:
  EmuTime latency_;
  EmuTime first_{0};      // when the first byte of the open packet came in
  std::size_t held_ = 0;  // bytes in the open packet
};
