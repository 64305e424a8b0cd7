#include "map/rule_area.h"

#include <algorithm>
#include <cmath>

namespace {

double finite_miles(double miles) {
  if (!std::isfinite(miles) || miles > AREA_MAX_MILES) return AREA_MAX_MILES;
  return std::max(miles, 0.0);
}

GeoPoint point_at(const RuleRec& rec, std::size_t lat_slot, std::size_t lon_slot) {
  return {rule_real(rec, lat_slot), rule_real(rec, lon_slot)};
}

// Direction codes 1..8 are N, NE, ... NW.
double compass_bearing(std::uint8_t dir) { return dir >= 1 && dir <= 8 ? (dir - 1) * 45.0 : 0.0; }

// Degrees between two longitudes the short way round.
double lon_gap(double a, double b) { return std::fabs(unwrap_lon(a, b) - b); }

// Near enough the nearest point of the box: the station's latitude held
// within the box's, and its longitude, when outside the box's, moved to the
// side that is nearer round the globe.
GeoPoint nearest_in_box(const GeoBox& box, GeoPoint station) {
  double lon = station.lon;
  if (lon < box.west || lon > box.east) {
    lon = lon_gap(lon, box.west) <= lon_gap(lon, box.east) ? box.west : box.east;
  }
  return {std::clamp(station.lat, box.south, box.north), lon};
}

}  // namespace

std::optional<RuleArea> rule_area(const RuleRec& rec) {
  RuleArea area;
  area.kind = rule_type(rec);
  area.pass = (rule_flags(rec) & ACT_MASK) == ACT_PASS;
  area.line = rule_line(rec);
  switch (area.kind) {
    case RULE_CIRCLE:
      area.radius = finite_miles(rule_real(rec, RULE_SLOT1));
      area.point = point_at(rec, RULE_SLOT2, RULE_SLOT3);
      return area;
    case RULE_COMPASS:
      area.bearing = compass_bearing(rule_dir(rec));
      area.point = point_at(rec, RULE_SLOT2, RULE_SLOT3);
      return area;
    case RULE_RECTANGLE:
      area.point = point_at(rec, RULE_SLOT1, RULE_SLOT2);
      area.corner2 = point_at(rec, RULE_SLOT3, RULE_SLOT4);
      return area;
    case RULE_SECTOR:
      area.ang1 = rule_real(rec, RULE_SLOT1);
      area.ang2 = rule_real(rec, RULE_SLOT2);
      area.inner = finite_miles(rule_real(rec, RULE_SLOT3));
      area.outer = finite_miles(rule_real(rec, RULE_SLOT4));
      return area;
    default:
      return std::nullopt;
  }
}

bool area_has_position(const RuleArea& area) { return area.kind != RULE_SECTOR; }

double area_distance_miles(const RuleArea& area, GeoPoint station) {
  switch (area.kind) {
    case RULE_CIRCLE:
      return std::max(0.0, great_circle_miles(station, area.point) - area.radius);
    case RULE_RECTANGLE:
      return great_circle_miles(station, nearest_in_box(rectangle_box(area), station));
    default:
      return great_circle_miles(station, area.point);
  }
}

double sector_span(const RuleArea& area) {
  const double span = std::fmod(area.ang2 - area.ang1 + 720.0, 360.0);
  return span <= 0.0 ? 360.0 : span;
}

GeoBox rectangle_box(const RuleArea& area) {
  return {std::min(area.point.lat, area.corner2.lat), std::max(area.point.lat, area.corner2.lat),
          std::min(area.point.lon, area.corner2.lon), std::max(area.point.lon, area.corner2.lon)};
}

bool box_contains(const GeoBox& box, GeoPoint p) {
  return p.lat >= box.south && p.lat <= box.north && p.lon >= box.west && p.lon <= box.east;
}
