#include "config/conf_items.h"

#include <cstring>

#include "config/conf_keywords.h"
#include "config/conf_position.h"
#include "serial/port_rate_table.h"
#include "text/number_text.h"

namespace {

constexpr std::size_t CALL_MAX = 6;
constexpr int WIDE_BOUND = 6;

int store_call(ConfLine& line, ConfRec& rec) {
  char* call = nullptr;
  if (const int rc = conf_take_arg(line, "Call Sign", &call); rc != 0) return rc;
  const std::size_t len = std::strlen(call);
  if (len > CALL_MAX) {
    line.con.print("\a\aError: line %d: invalid Call Sign argument: too long: %s\n", line.number,
                   line.copy);
    return CONF_BAD_ARG;
  }
  for (char* c = call; *c != '\0'; ++c) {
    if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
  }
  // Only the call and its terminator are written: the bytes behind keep the
  // default record's, which the device receives as they are.
  std::memcpy(rec.station_call, call, len + 1);
  return 0;
}

int store_baud(ConfLine& line, std::uint32_t& field) {
  char* arg = nullptr;
  if (const int rc = conf_take_arg(line, "Baud", &arg); rc != 0) return rc;
  const int baud = read_int(arg);
  if (get_baud(line.con, baud) == nullptr) {
    line.con.print("\a\aError: line %d: invalid Baud argument: %d: %s\n", line.number, baud,
                   line.copy);
    return CONF_BAD_ARG;
  }
  field = static_cast<std::uint32_t>(baud);
  return 0;
}

int store_ssid(ConfLine& line, ConfRec& rec) {
  char* arg = nullptr;
  if (const int rc = conf_take_arg(line, "SSID", &arg); rc != 0) return rc;
  const int ssid = read_int_auto_base(arg);
  if (ssid < 0 || ssid > 15) {
    line.con.print("\a\aError: line %d: invalid SSID argument range [0..15]: %d: %s\n", line.number,
                   ssid, line.copy);
    return CONF_BAD_ARG;
  }
  rec.station_ssid = static_cast<std::uint16_t>(ssid);
  return 0;
}

int store_wide(ConfLine& line, std::uint16_t& field) {
  char* arg = nullptr;
  if (const int rc = conf_take_arg(line, "n", &arg); rc != 0) return rc;
  const int n = read_int(arg);
  if (n < 1 || n > WIDE_BOUND) {
    line.con.print("\a\aError: line %d: invalid n argument range [1..%d]: %d: %s\n", line.number,
                   WIDE_BOUND, n, line.copy);
    return CONF_BAD_ARG;
  }
  field = static_cast<std::uint16_t>(n);
  return 0;
}

int store_dupe_window(ConfLine& line, ConfRec& rec) {
  char* arg = nullptr;
  if (const int rc = conf_take_arg(line, "seconds", &arg); rc != 0) return rc;
  const int seconds = read_int(arg);
  if (seconds < 5 || seconds > 500) {
    line.con.print("\a\aError: line %d: invalid seconds argument range [5..500]: %d: %s\n",
                   line.number, seconds, line.copy);
    return CONF_BAD_ARG;
  }
  rec.dupe_window = static_cast<std::uint16_t>(seconds);
  return 0;
}

int store_switch(ConfLine& line, std::uint16_t& field, bool p_means_yes) {
  char* arg = nullptr;
  if (const int rc = conf_take_arg(line, "y | n", &arg); rc != 0) return rc;
  field = conf_switch(arg, p_means_yes);
  return 0;
}

}  // namespace

int conf_store_item(ConfLine& line, ConfRec& rec, std::uint32_t item) {
  switch (item) {
    case CONF_CALL:
      return store_call(line, rec);
    case CONF_SSID:
      return store_ssid(line, rec);
    case CONF_POSITION:
      return conf_store_position(line, rec);
    case CONF_HOST_BAUD:
      return store_baud(line, rec.host_baud);
    case CONF_GPS_BAUD:
      return store_baud(line, rec.gps_baud);
    case CONF_TNC_BAUD:
      return store_baud(line, rec.tnc_baud);
    case CONF_WIDE_MAX:
      return store_wide(line, rec.wide_max);
    case CONF_WIDE_TOTAL:
      return store_wide(line, rec.wide_total);
    case CONF_DUPE_WIN:
      return store_dupe_window(line, rec);
    case CONF_HAVE_GPS:
      return store_switch(line, rec.have_gps, false);
    case CONF_LOG:
      return store_switch(line, rec.log_port, false);
    case CONF_DROP_MANGLED:
      return store_switch(line, rec.drop_mangled, false);
    case CONF_HALT_ON_ERROR:
      return store_switch(line, rec.halt_on_error, false);
    case CONF_FIX_VALID:
      return store_switch(line, rec.fix_valid, false);
    case CONF_NSR:
      return store_switch(line, rec.nsr, false);
    case CONF_RELAY:
      return store_switch(line, rec.relay, false);
    case CONF_NONAPRS:
      return store_switch(line, rec.pass_nonaprs, true);
    default:
      // Every row of the keyword table has a case above.
      line.con.print("\a\aInternal Error: item %u is invalid\n", static_cast<unsigned>(item));
      return CONF_BAD_ARG;
  }
}
