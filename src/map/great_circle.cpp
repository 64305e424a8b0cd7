#include "map/great_circle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

double to_rad(double deg) { return deg * kRadPerDeg; }
double to_deg(double rad) { return rad / kRadPerDeg; }

}  // namespace

double great_circle_miles(GeoPoint a, GeoPoint b) {
  // Haversine: well conditioned for the short distances that matter here.
  const double dlat = to_rad(b.lat - a.lat);
  const double dlon = to_rad(b.lon - a.lon);
  const double h =
      std::sin(dlat / 2) * std::sin(dlat / 2) +
      std::cos(to_rad(a.lat)) * std::cos(to_rad(b.lat)) * std::sin(dlon / 2) * std::sin(dlon / 2);
  return 2.0 * EARTH_RADIUS_MILES * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0)));
}

GeoPoint destination_point(GeoPoint from, double bearing, double miles) {
  const double lat1 = to_rad(from.lat);
  const double theta = to_rad(bearing);
  const double delta = miles / EARTH_RADIUS_MILES;
  const double sin_lat2 =
      std::sin(lat1) * std::cos(delta) + std::cos(lat1) * std::sin(delta) * std::cos(theta);
  const double lat2 = std::asin(std::clamp(sin_lat2, -1.0, 1.0));
  const double dlon = std::atan2(std::sin(theta) * std::sin(delta) * std::cos(lat1),
                                 std::cos(delta) - std::sin(lat1) * sin_lat2);
  return {to_deg(lat2), unwrap_lon(from.lon + to_deg(dlon), from.lon)};
}

double unwrap_lon(double lon, double reference) {
  double d = std::fmod(lon - reference, 360.0);
  if (d > 180.0) d -= 360.0;
  if (d < -180.0) d += 360.0;
  return reference + d;
}

double initial_bearing(GeoPoint from, GeoPoint to) {
  const double lat1 = to_rad(from.lat);
  const double lat2 = to_rad(to.lat);
  const double dlon = to_rad(to.lon - from.lon);
  const double y = std::sin(dlon) * std::cos(lat2);
  const double x =
      std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dlon);
  const double deg = to_deg(std::atan2(y, x));
  return deg < 0.0 ? deg + 360.0 : deg;
}

double wrap_lon(double lon) { return unwrap_lon(lon, 0.0); }
