#pragma once
// The outline of each area rule on the ground, as points to project:
// a circle is the set of points at its radius (great-circle distance) around
// its centre; a rectangle lies between its two corners; a sector is the ring
// segment around the station between its ranges, clockwise from Ang1 to
// Ang2; a compass rule is an arrow from its point in its direction.

#include <vector>

#include "map/rule_area.h"

struct AreaShape {
  // Closed outlines, filled even-odd (a whole ring has a hole).
  std::vector<std::vector<GeoPoint>> rings;
  // A compass arrow: its point, then its tip.
  std::vector<GeoPoint> arrow;
  // Where the rule's line number is written.
  GeoPoint label_at;
};

// What the map must hold of an area. An open sector and a compass arrow
// have no extent of their own: they reach as far as the map does.
std::vector<GeoPoint> area_extent(const RuleArea& area, GeoPoint station);

// The shape to draw; `open_outer` is the outer range of a sector without one
// and `arrow_miles` the length of a compass arrow.
AreaShape area_shape(const RuleArea& area, GeoPoint station, double open_outer, double arrow_miles);
