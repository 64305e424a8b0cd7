#include "map/map_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kMarginShare = 0.08;   // of the larger side, on every side
constexpr double kLeastHalfSide = 5.0;  // miles: a map of the station alone

}  // namespace

double miles_per_degree() { return EARTH_RADIUS_MILES * std::numbers::pi / 180.0; }

double round_step_below(double most) {
  if (!(most > 0.0) || !std::isfinite(most)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (const double m : {5.0, 2.0, 1.0}) {
    if (m * power <= most) return m * power;
  }
  return power;
}

MapFrame::MapFrame(const std::vector<GeoPoint>& points, GeoPoint station, MapXY origin,
                   double max_width, double max_height)
    : origin_(origin) {
  double lat_lo = station.lat, lat_hi = station.lat;
  double lon_lo = station.lon, lon_hi = station.lon;
  for (const GeoPoint& p : points) {
    const double lon = unwrap_lon(p.lon, station.lon);
    lat_lo = std::min(lat_lo, p.lat);
    lat_hi = std::max(lat_hi, p.lat);
    lon_lo = std::min(lon_lo, lon);
    lon_hi = std::max(lon_hi, lon);
  }
  centre_lat_ = (lat_lo + lat_hi) / 2;
  centre_lon_ = (lon_lo + lon_hi) / 2;
  // Near a pole the longitude scale would vanish; hold it at a twentieth.
  lon_scale_ = std::max(std::cos(centre_lat_ * std::numbers::pi / 180.0), 0.05);
  const double mpd = miles_per_degree();
  double half_x = std::max((lon_hi - lon_lo) / 2 * lon_scale_ * mpd, kLeastHalfSide);
  double half_y = std::max((lat_hi - lat_lo) / 2 * mpd, kLeastHalfSide);
  const double margin = kMarginShare * 2 * std::max(half_x, half_y);
  half_x += margin;
  half_y += margin;
  west_ = -half_x;
  east_ = half_x;
  south_ = -half_y;
  north_ = half_y;
  scale_ = std::min(max_width / (2 * half_x), max_height / (2 * half_y));
  width_ = 2 * half_x * scale_;
  height_ = 2 * half_y * scale_;
}

MapXY MapFrame::project(GeoPoint p) const {
  const double mpd = miles_per_degree();
  const double x = (unwrap_lon(p.lon, centre_lon_) - centre_lon_) * lon_scale_ * mpd;
  const double y = (p.lat - centre_lat_) * mpd;
  return {origin_.x + (x - west_) * scale_, origin_.y + (north_ - y) * scale_};
}

GeoPoint MapFrame::north_west() const {
  const double mpd = miles_per_degree();
  return {centre_lat_ + north_ / mpd, centre_lon_ + west_ / (lon_scale_ * mpd)};
}

GeoPoint MapFrame::south_east() const {
  const double mpd = miles_per_degree();
  return {centre_lat_ + south_ / mpd, centre_lon_ + east_ / (lon_scale_ * mpd)};
}

double MapFrame::miles_to_farthest_corner(GeoPoint from) const {
  const GeoPoint nw = north_west();
  const GeoPoint se = south_east();
  double most = 0.0;
  for (const GeoPoint corner : {nw, se, GeoPoint{nw.lat, se.lon}, GeoPoint{se.lat, nw.lon}}) {
    most = std::max(most, great_circle_miles(from, corner));
  }
  return most;
}
