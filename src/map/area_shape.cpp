#include "map/area_shape.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kArcStepDeg = 2.0;

// Points at `miles` from `centre`, from bearing `from` clockwise over `span`.
std::vector<GeoPoint> arc(GeoPoint centre, double miles, double from, double span) {
  const int steps = std::max(1, static_cast<int>(std::ceil(span / kArcStepDeg)));
  std::vector<GeoPoint> points;
  for (int i = 0; i <= steps; ++i) {
    points.push_back(destination_point(centre, from + span * i / steps, miles));
  }
  return points;
}

std::vector<GeoPoint> whole_circle(GeoPoint centre, double miles) {
  std::vector<GeoPoint> points = arc(centre, miles, 0.0, 360.0);
  points.pop_back();  // the last point is the first again
  return points;
}

std::vector<GeoPoint> rectangle_corners(const RuleArea& box) {
  const GeoPoint a = box.point;
  const GeoPoint b = box.corner2;
  return {a, {a.lat, b.lon}, b, {b.lat, a.lon}};
}

std::vector<std::vector<GeoPoint>> sector_rings(const RuleArea& s, GeoPoint station, double outer) {
  const double span = sector_span(s);
  if (span >= 360.0) {
    std::vector<std::vector<GeoPoint>> rings{whole_circle(station, outer)};
    if (s.inner > 0.0) rings.push_back(whole_circle(station, s.inner));
    return rings;
  }
  std::vector<GeoPoint> ring = arc(station, outer, s.ang1, span);
  if (s.inner > 0.0) {
    std::vector<GeoPoint> back = arc(station, s.inner, s.ang1, span);
    ring.insert(ring.end(), back.rbegin(), back.rend());
  } else {
    ring.push_back(station);
  }
  return {ring};
}

double sector_outer(const RuleArea& s, double open_outer) {
  return s.outer > 0.0 ? s.outer : std::max(open_outer, s.inner);
}

}  // namespace

std::vector<GeoPoint> area_extent(const RuleArea& area, GeoPoint station) {
  switch (area.kind) {
    case RULE_CIRCLE:
      return whole_circle(area.point, area.radius);
    case RULE_RECTANGLE:
      return rectangle_corners(area);
    case RULE_SECTOR: {
      std::vector<GeoPoint> points = arc(station, area.inner, area.ang1, sector_span(area));
      if (area.outer > 0.0) {
        const std::vector<GeoPoint> outer = arc(station, area.outer, area.ang1, sector_span(area));
        points.insert(points.end(), outer.begin(), outer.end());
      }
      return points;
    }
    default:
      return {area.point};
  }
}

AreaShape area_shape(const RuleArea& area, GeoPoint station, double open_outer,
                     double arrow_miles) {
  AreaShape shape;
  switch (area.kind) {
    case RULE_CIRCLE:
      shape.rings.push_back(whole_circle(area.point, area.radius));
      shape.label_at = destination_point(area.point, 0.0, area.radius);
      break;
    case RULE_RECTANGLE:
      shape.rings.push_back(rectangle_corners(area));
      shape.label_at = {std::max(area.point.lat, area.corner2.lat),
                        std::min(area.point.lon, area.corner2.lon)};
      break;
    case RULE_SECTOR: {
      const double outer = sector_outer(area, open_outer);
      shape.rings = sector_rings(area, station, outer);
      const double middle = area.outer > 0.0 ? (area.inner + outer) / 2 : area.inner + 0.1 * outer;
      shape.label_at =
          destination_point(station, area.ang1 + sector_span(area) / 2, std::max(middle, 0.0));
      break;
    }
    default:
      shape.arrow = {area.point, destination_point(area.point, area.bearing, arrow_miles)};
      shape.label_at = area.point;
      break;
  }
  return shape;
}
