#include "map/azimuthal.h"

#include <cmath>

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;

}  // namespace

Azimuthal::Azimuthal(GeoPoint centre)
    : centre_(centre),
      sin_lat_(std::sin(centre.lat * kRadPerDeg)),
      cos_lat_(std::cos(centre.lat * kRadPerDeg)) {}

PlaneXY Azimuthal::project(GeoPoint p) const {
  const double lat = p.lat * kRadPerDeg;
  const double dlon = (p.lon - centre_.lon) * kRadPerDeg;
  const double cos_c = sin_lat_ * std::sin(lat) + cos_lat_ * std::cos(lat) * std::cos(dlon);
  // East and north components of the direction, scaled by sin(c): atan2 of
  // the two keeps the angle c accurate both near the station and far away.
  const double east = std::cos(lat) * std::sin(dlon);
  const double north = cos_lat_ * std::sin(lat) - sin_lat_ * std::cos(lat) * std::cos(dlon);
  const double sin_c = std::hypot(east, north);
  if (sin_c < 1e-12) {
    // The station itself, or its antipode, which has no bearing: put it due north.
    return cos_c > 0.0 ? PlaneXY{} : PlaneXY{0.0, HALF_CIRCUMFERENCE_MILES};
  }
  const double k = EARTH_RADIUS_MILES * std::atan2(sin_c, cos_c) / sin_c;
  return {k * east, k * north};
}

GeoPoint Azimuthal::unproject(PlaneXY p) const {
  const double miles = plane_miles(p);
  if (miles == 0.0) return centre_;
  const GeoPoint g = destination_point(centre_, std::atan2(p.x, p.y) / kRadPerDeg, miles);
  return {g.lat, wrap_lon(g.lon)};
}

GeoPoint Azimuthal::antipode() const { return {-centre_.lat, wrap_lon(centre_.lon + 180.0)}; }

PlaneXY polar_xy(double bearing, double miles) {
  const double theta = bearing * kRadPerDeg;
  return {miles * std::sin(theta), miles * std::cos(theta)};
}

double plane_miles(PlaneXY p) { return std::hypot(p.x, p.y); }
