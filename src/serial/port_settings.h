#pragma once
// The port's settings as the utility sees them, whatever the platform:
//
// - `PortDcb`: the line fields of the driver's port state that the utility
//   sets (the rest of the driver's state is kept by the backend untouched).
// - `PortTimeouts`: the driver's timeout record, and the arithmetic of the
//   timeout model that serial.h describes.
// - `CommCaps`: the capability fields that open checks before setting the line.

#include <cstdint>

// Values of the driver's port state fields (prefixed: the Windows headers
// define the plain names as macros).
constexpr std::uint8_t DCB_NOPARITY = 0;
constexpr std::uint8_t DCB_ODDPARITY = 1;
constexpr std::uint8_t DCB_EVENPARITY = 2;
constexpr std::uint8_t DCB_ONESTOPBIT = 0;
constexpr std::uint8_t DCB_TWOSTOPBITS = 2;
constexpr std::uint8_t DCB_DTR_CONTROL_DISABLE = 0;
constexpr std::uint8_t DCB_DTR_CONTROL_ENABLE = 1;
constexpr std::uint8_t DCB_RTS_CONTROL_DISABLE = 0;
constexpr std::uint8_t DCB_RTS_CONTROL_ENABLE = 1;
constexpr std::uint8_t DCB_RTS_CONTROL_HANDSHAKE = 2;

struct PortDcb {
  std::uint32_t baud_rate = 0;
  std::uint8_t byte_size = 0;
  std::uint8_t parity = 0;
  std::uint8_t stop_bits = 0;
  bool parity_check = false;
  bool outx_cts_flow = false;
  bool outx_dsr_flow = false;
  std::uint8_t dtr_control = 0;
  bool out_x = false;
  bool in_x = false;
  bool null_discard = false;
  std::uint8_t rts_control = 0;
};

struct PortTimeouts {
  std::uint32_t read_interval = 0;
  std::uint32_t read_total_multiplier = 0;
  std::uint32_t read_total_constant = 0;
  std::uint32_t write_total_multiplier = 0;
  std::uint32_t write_total_constant = 0;
};

// Capability bits the utility requires of the driver.
constexpr std::uint32_t CAPS_SP_PARITY = 0x0001;
constexpr std::uint32_t CAPS_SP_BAUD = 0x0002;
constexpr std::uint32_t CAPS_SP_DATABITS = 0x0004;
constexpr std::uint32_t CAPS_SP_STOPBITS = 0x0008;
constexpr std::uint16_t CAPS_DATABITS_8 = 0x0008;
constexpr std::uint16_t CAPS_STOPBITS_10 = 0x0001;
constexpr std::uint16_t CAPS_PARITY_NONE = 0x0100;
constexpr std::uint32_t CAPS_PCF_TOTALTIMEOUTS = 0x0040;
constexpr std::uint32_t CAPS_PCF_INTTIMEOUTS = 0x0080;

struct CommCaps {
  std::uint32_t settable_params = 0;
  std::uint16_t settable_data = 0;
  std::uint16_t settable_stop_parity = 0;
  std::uint32_t prov_capabilities = 0;
};

// 8 data bits, no parity, one stop bit at `rate`; no flow control of any
// kind, DTR and RTS held low, null bytes kept.
void apply_line_settings(PortDcb& dcb, std::uint32_t rate);

// The timeouts set at open for a line at `rate`.
PortTimeouts open_timeouts(std::uint32_t rate);

// The timeouts of one read of up to `timeout_ms` (plus the per-byte term);
// a timeout of 0 leaves `base` as it is.
PortTimeouts read_timeouts(const PortTimeouts& base, std::uint32_t rate, std::uint32_t timeout_ms);

// Total budgets in milliseconds that the timeouts give a read or write of
// `count` bytes.
std::uint64_t read_budget_ms(const PortTimeouts& t, int count);
std::uint64_t write_budget_ms(const PortTimeouts& t, int count);
