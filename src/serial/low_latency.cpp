#include "serial/low_latency.h"

#include <utility>

LowLatencyHold::LowLatencyHold(std::unique_ptr<SerialFlags> flags) : flags_(std::move(flags)) {
  if (flags_ == nullptr || !flags_->get(earlier_)) return;
  if ((earlier_ & SERIAL_FLAG_LOW_LATENCY) != 0) return;
  changed_ = flags_->set(earlier_ | SERIAL_FLAG_LOW_LATENCY);
}

LowLatencyHold::~LowLatencyHold() {
  if (changed_) flags_->set(earlier_);
}
