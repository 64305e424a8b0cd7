#pragma once
// The station configuration record: 56 bytes, little-endian, sent to the
// device byte for byte. Its last two fields belong to the rule set.

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t CONF_REC_SIZE = 56;
constexpr std::uint16_t IMPLICIT_PASS = 0x70;  // 'p'
constexpr std::uint16_t IMPLICIT_DROP = 0x64;  // 'd'

struct ConfRec {
  std::uint32_t host_baud;
  std::uint32_t gps_baud;
  std::uint32_t tnc_baud;
  float base_lat;
  float base_lon;
  char station_call[8];
  std::uint16_t station_ssid;
  std::uint16_t wide_max;
  std::uint16_t wide_total;
  std::uint16_t relay;
  std::uint16_t nsr;
  std::uint16_t have_gps;
  std::uint16_t dupe_window;
  std::uint16_t log_port;
  std::uint16_t halt_on_error;
  std::uint16_t drop_mangled;
  std::uint16_t fix_valid;
  std::uint16_t pass_nonaprs;
  std::uint16_t implicit_action;
  std::uint16_t rule_count;
};

using ConfBytes = std::array<std::uint8_t, CONF_REC_SIZE>;

// The record exactly as the device receives it.
ConfBytes conf_encode(const ConfRec& rec);

extern const ConfRec conf_default_rec;

// The configuration the run works with, and whether a file set it.
struct ConfigState {
  ConfRec conf_rec = conf_default_rec;
  std::int32_t conf_processed = 0;
  // The line that last set the station position; 0 when the file has none,
  // even if its value equals the default's.
  int position_line = 0;
};

// Copies the whole default record over `rec`, rule-set fields included.
void conf_defaults(ConfRec& rec);

// The rate that connect uses when none is given, and that help marks.
std::uint32_t default_connect_baud(const ConfRec& rec);
