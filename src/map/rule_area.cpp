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

// The nearest point of the box between two corners: the station's latitude
// and longitude, each held within the box's own range.
GeoPoint nearest_in_box(const RuleArea& box, GeoPoint station) {
  const double lon1 = unwrap_lon(box.point.lon, station.lon);
  const double lon2 = lon1 + (box.corner2.lon - box.point.lon);
  return {std::clamp(station.lat, std::min(box.point.lat, box.corner2.lat),
                     std::max(box.point.lat, box.corner2.lat)),
          std::clamp(station.lon, std::min(lon1, lon2), std::max(lon1, lon2))};
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
      return great_circle_miles(station, nearest_in_box(area, station));
    default:
      return great_circle_miles(station, area.point);
  }
}

double sector_span(const RuleArea& area) {
  const double span = std::fmod(area.ang2 - area.ang1 + 720.0, 360.0);
  return span <= 0.0 ? 360.0 : span;
}
