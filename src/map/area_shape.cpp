#include "map/area_shape.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEdgeStepDeg = 0.25;  // rectangle edges, in degrees of latitude or longitude
constexpr int kRoundSteps = 720;       // points of a whole circle

int steps_for(double span_deg, double step_deg) {
  return std::clamp(static_cast<int>(std::ceil(span_deg / step_deg)), 1, 4 * kRoundSteps);
}

// Points `miles` from the station, from bearing `from` clockwise over `span`.
std::vector<PlaneXY> station_arc(double miles, double from, double span) {
  const int steps = steps_for(span, 360.0 / kRoundSteps);
  std::vector<PlaneXY> points;
  for (int i = 0; i <= steps; ++i) points.push_back(polar_xy(from + span * i / steps, miles));
  return points;
}

std::vector<PlaneXY> station_circle(double miles) {
  std::vector<PlaneXY> points = station_arc(miles, 0.0, 360.0);
  points.pop_back();  // the last point is the first again
  return points;
}

std::vector<PlaneXY> circle_ring(const RuleArea& c, const Azimuthal& projection) {
  std::vector<PlaneXY> points;
  for (int i = 0; i < kRoundSteps; ++i) {
    points.push_back(
        projection.project(destination_point(c.point, 360.0 * i / kRoundSteps, c.radius)));
  }
  return points;
}

// Along one edge of a box, from `a` to `b` (a parallel or a meridian),
// without its last point, which starts the next edge.
void box_edge(std::vector<PlaneXY>& ring, const Azimuthal& projection, GeoPoint a, GeoPoint b) {
  const double span = std::max(std::fabs(b.lat - a.lat), std::fabs(b.lon - a.lon));
  const int steps = steps_for(span, kEdgeStepDeg);
  for (int i = 0; i < steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    ring.push_back(projection.project({a.lat + (b.lat - a.lat) * t, a.lon + (b.lon - a.lon) * t}));
  }
}

std::vector<PlaneXY> box_ring(const GeoBox& box, const Azimuthal& projection) {
  std::vector<PlaneXY> ring;
  box_edge(ring, projection, {box.south, box.west}, {box.south, box.east});
  box_edge(ring, projection, {box.south, box.east}, {box.north, box.east});
  box_edge(ring, projection, {box.north, box.east}, {box.north, box.west});
  box_edge(ring, projection, {box.north, box.west}, {box.south, box.west});
  return ring;
}

std::vector<std::vector<PlaneXY>> sector_rings(const RuleArea& s, double outer) {
  const double span = sector_span(s);
  if (span >= 360.0) {
    std::vector<std::vector<PlaneXY>> rings{station_circle(outer)};
    if (s.inner > 0.0) rings.push_back(station_circle(s.inner));
    return rings;
  }
  std::vector<PlaneXY> ring = station_arc(outer, s.ang1, span);
  if (s.inner > 0.0) {
    const std::vector<PlaneXY> back = station_arc(s.inner, s.ang1, span);
    ring.insert(ring.end(), back.rbegin(), back.rend());
  } else {
    ring.push_back({});
  }
  return {ring};
}

double sector_outer(const RuleArea& s, double open_outer) {
  const double outer = s.outer > 0.0 ? s.outer : std::max(open_outer, s.inner);
  return std::min(outer, HALF_CIRCUMFERENCE_MILES);
}

double farthest(const std::vector<PlaneXY>& ring) {
  double most = 0.0;
  for (const PlaneXY p : ring) most = std::max(most, plane_miles(p));
  return most;
}

void circle_shape(AreaShape& shape, const RuleArea& c, const Azimuthal& projection) {
  if (c.radius >= HALF_CIRCUMFERENCE_MILES) {
    shape.rings.push_back(earth_edge());
    shape.covers_everything = true;
    shape.label_at = projection.project(c.point);
    return;
  }
  shape.rings.push_back(circle_ring(c, projection));
  if (great_circle_miles(c.point, projection.antipode()) < c.radius) {
    shape.rings.push_back(earth_edge());
  }
  shape.label_at = projection.project(destination_point(c.point, 0.0, c.radius));
}

void box_shape(AreaShape& shape, const RuleArea& r, const Azimuthal& projection) {
  const GeoBox box = rectangle_box(r);
  shape.rings.push_back(box_ring(box, projection));
  if (box_contains(box, projection.antipode())) shape.rings.push_back(earth_edge());
  shape.label_at = projection.project({box.north, box.west});
}

}  // namespace

std::vector<PlaneXY> earth_edge() { return station_circle(HALF_CIRCUMFERENCE_MILES); }

double area_reach(const RuleArea& area, const Azimuthal& projection) {
  const GeoPoint station = projection.centre();
  switch (area.kind) {
    case RULE_CIRCLE:
      return std::min(great_circle_miles(station, area.point) + area.radius,
                      HALF_CIRCUMFERENCE_MILES);
    case RULE_RECTANGLE: {
      const GeoBox box = rectangle_box(area);
      if (box_contains(box, projection.antipode())) return HALF_CIRCUMFERENCE_MILES;
      return farthest(box_ring(box, projection));
    }
    case RULE_SECTOR:
      return std::min(std::max(area.outer, area.inner), HALF_CIRCUMFERENCE_MILES);
    default:
      return great_circle_miles(station, area.point);
  }
}

AreaShape area_shape(const RuleArea& area, const Azimuthal& projection, double open_outer,
                     double arrow_miles) {
  AreaShape shape;
  switch (area.kind) {
    case RULE_CIRCLE:
      circle_shape(shape, area, projection);
      break;
    case RULE_RECTANGLE:
      box_shape(shape, area, projection);
      break;
    case RULE_SECTOR: {
      const double outer = sector_outer(area, open_outer);
      shape.rings = sector_rings(area, outer);
      const double middle = area.outer > 0.0 ? (area.inner + outer) / 2 : area.inner + 0.1 * outer;
      shape.label_at = polar_xy(area.ang1 + sector_span(area) / 2, std::max(middle, 0.0));
      break;
    }
    default:
      shape.arrow = {projection.project(area.point),
                     projection.project(destination_point(area.point, area.bearing, arrow_miles))};
      shape.label_at = shape.arrow.front();
      break;
  }
  return shape;
}
