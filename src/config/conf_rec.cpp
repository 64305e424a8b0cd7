#include "config/conf_rec.h"

#include "config/le_bytes.h"

// The default station stands just east of Boulder, Colorado: 40 N, 105.25 W,
// both exact in single precision so the display shows them as written.
const ConfRec conf_default_rec = {
    .host_baud = 57600,
    .gps_baud = 9600,
    .tnc_baud = 19200,
    .base_lat = 40.0f,
    .base_lon = -105.25f,
    .station_call = {'n', 'o', 't', 's', 'e', 't', '\0', '\0'},
    .station_ssid = 0,
    .wide_max = 3,
    .wide_total = 6,
    .relay = 1,
    .nsr = 0,
    .have_gps = 1,
    .dupe_window = 28,
    .log_port = 1,
    .halt_on_error = 0,
    .drop_mangled = 1,
    .fix_valid = 1,
    .pass_nonaprs = 0,
    .implicit_action = IMPLICIT_PASS,
    .rule_count = 0,
};

ConfBytes conf_encode(const ConfRec& rec) {
  ConfBytes b{};
  put_le32(&b[0], rec.host_baud);
  put_le32(&b[4], rec.gps_baud);
  put_le32(&b[8], rec.tnc_baud);
  put_le_float(&b[12], rec.base_lat);
  put_le_float(&b[16], rec.base_lon);
  for (std::size_t i = 0; i < sizeof rec.station_call; ++i) {
    b[20 + i] = static_cast<std::uint8_t>(rec.station_call[i]);
  }
  const std::uint16_t words[] = {
      rec.station_ssid, rec.wide_max,     rec.wide_total,      rec.relay,         rec.nsr,
      rec.have_gps,     rec.dupe_window,  rec.log_port,        rec.halt_on_error, rec.drop_mangled,
      rec.fix_valid,    rec.pass_nonaprs, rec.implicit_action, rec.rule_count};
  std::size_t at = 28;
  for (std::uint16_t w : words) {
    put_le16(&b[at], w);
    at += 2;
  }
  return b;
}

void conf_defaults(ConfRec& rec) { rec = conf_default_rec; }

std::uint32_t default_connect_baud(const ConfRec& rec) {
  return rec.have_gps != 0 ? rec.gps_baud : rec.host_baud;
}
