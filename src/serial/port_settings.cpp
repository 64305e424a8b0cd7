#include "serial/port_settings.h"

#include <limits>

namespace {

// A port that never reported a rate gets no per-byte term rather than a
// division by zero.
std::uint32_t per_byte_ms(std::uint32_t bits_time, std::uint32_t rate) {
  return rate == 0 ? 0 : bits_time / rate;
}

std::uint64_t budget_ms(std::uint32_t multiplier, std::uint32_t constant, int count) {
  const std::uint64_t n = count > 0 ? static_cast<std::uint64_t>(count) : 0;
  return std::uint64_t{multiplier} * n + constant;
}

}  // namespace

void apply_line_settings(PortDcb& dcb, std::uint32_t rate) {
  dcb.baud_rate = rate;
  dcb.byte_size = 8;
  dcb.parity = DCB_NOPARITY;
  dcb.stop_bits = DCB_ONESTOPBIT;
  dcb.parity_check = false;
  dcb.outx_cts_flow = false;
  dcb.outx_dsr_flow = false;
  dcb.dtr_control = DCB_DTR_CONTROL_DISABLE;
  dcb.out_x = false;
  dcb.in_x = false;
  dcb.null_discard = false;
  dcb.rts_control = DCB_RTS_CONTROL_DISABLE;
}

PortTimeouts open_timeouts(std::uint32_t rate) {
  PortTimeouts t;
  t.read_interval = 0;
  t.read_total_multiplier = per_byte_ms(10000, rate);
  t.read_total_constant = 1;
  t.write_total_multiplier = per_byte_ms(20000, rate);
  t.write_total_constant = 10;
  return t;
}

PortTimeouts read_timeouts(const PortTimeouts& base, std::uint32_t rate, std::uint32_t timeout_ms) {
  PortTimeouts t = base;
  if (timeout_ms == 0) return t;
  constexpr std::uint32_t max = std::numeric_limits<std::uint32_t>::max();
  t.read_total_multiplier = per_byte_ms(10000, rate);
  // Saturates: a wrapped constant would turn a very long wait into a short one.
  t.read_total_constant = timeout_ms > max - 10 ? max : timeout_ms + 10;
  return t;
}

std::uint64_t read_budget_ms(const PortTimeouts& t, int count) {
  return budget_ms(t.read_total_multiplier, t.read_total_constant, count);
}

std::uint64_t write_budget_ms(const PortTimeouts& t, int count) {
  return budget_ms(t.write_total_multiplier, t.write_total_constant, count);
}
