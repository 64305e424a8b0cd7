#include "angles/dmctodeg.h"
#include "config/conf_line.h"

// The latitude token ends only at blank, tab or comma and has no comment
// check; the longitude follows the general rule. A latitude is stored before
// the longitude is read, so a bad longitude leaves it in place.
int conf_store_position(ConfLine& line, ConfRec& rec) {
  const char* lat = line.cut.next(CONF_WORD_DELIMS);
  if (lat == nullptr) {
    conf_missing(line, "Station Latitude");
    return -11;
  }
  const double lat_deg = dmctodeg(line.con, lat);
  if (lat_deg == DMC_FAIL) {
    line.con.print("\a\aError: line %d: invalid Station Latitude argument: %s: %s\n", line.number,
                   lat, line.copy);
    return -11;
  }
  rec.base_lat = static_cast<float>(lat_deg);

  char* lon = nullptr;
  if (const int rc = conf_take_arg(line, "Station Longitude", &lon); rc != 0) return rc;
  const double lon_deg = dmctodeg(line.con, lon);
  if (lon_deg == DMC_FAIL) {
    line.con.print("\a\aError: line %d: invalid Station Longitude argument: %s: %s\n", line.number,
                   lon, line.copy);
    return -11;
  }
  rec.base_lon = static_cast<float>(lon_deg);
  return 0;
}
