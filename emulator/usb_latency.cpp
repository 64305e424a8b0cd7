#include "usb_latency.h"

UsbDelivery UsbLatency::admit(EmuTime arrival) {
  if (latency_ == EmuTime{0}) return {arrival, 0};
  // A packet whose timer ran out before this byte came has gone already.
  if (held_ > 0 && arrival >= first_ + latency_) held_ = 0;
  if (held_ == 0) first_ = arrival;
  if (++held_ < USB_PACKET_BYTES) return {first_ + latency_, 0};
  const std::size_t earlier = held_ - 1;
  held_ = 0;
  return {arrival, earlier};
}
