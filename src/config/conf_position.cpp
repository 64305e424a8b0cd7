#include "config/conf_position.h"

#include "angles/dmctodeg.h"

namespace {

// Stores the angle of `token` in `field`; when the angle parser refuses it,
// its own message is followed by the line's.
int store_angle(ConfLine& line, const char* token, const char* what, float& field) {
  const double degrees = dmctodeg(line.con, token);
  if (degrees == DMC_FAIL) {
    line.con.print("\a\aError: line %d: invalid %s argument: %s: %s\n", line.number, what, token,
                   line.copy);
    return CONF_BAD_ARG;
  }
  field = static_cast<float>(degrees);
  return 0;
}

}  // namespace

// The latitude token ends only at blank, tab or comma and has no comment
// check; the longitude follows the general rule. A latitude is stored before
// the longitude is read, so a bad longitude leaves it in place.
int conf_store_position(ConfLine& line, ConfRec& rec) {
  const char* lat = line.cut.next(WORD_SEPARATORS);
  if (lat == nullptr) {
    conf_missing(line, "Station Latitude");
    return CONF_BAD_ARG;
  }
  if (const int rc = store_angle(line, lat, "Station Latitude", rec.base_lat); rc != 0) return rc;
  char* lon = nullptr;
  if (const int rc = conf_take_arg(line, "Station Longitude", &lon); rc != 0) return rc;
  return store_angle(line, lon, "Station Longitude", rec.base_lon);
}
