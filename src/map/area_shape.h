#pragma once
// The outline of each area rule in the station's projection: a circle is
// the set of points at its radius (great-circle distance) around its centre;
// a rectangle is the box between its latitudes and between its longitudes
// (rule_area.h), its edges followed in small steps so that they curve as the
// projection bends them; a sector is the exact wedge around the station
// between its ranges, clockwise from Ang1 to Ang2; a compass rule is an arrow
// from its point in its direction.
//
// An area that holds the station's antipode holds the whole outer circle of
// the map: its outline then bounds a hole in the disc of the Earth.

#include <vector>

#include "map/azimuthal.h"
#include "map/rule_area.h"

struct AreaShape {
  // Closed outlines, filled even-odd (a whole ring has a hole).
  std::vector<std::vector<PlaneXY>> rings;
  // A compass arrow: its point, then its tip.
  std::vector<PlaneXY> arrow;
  // Where the rule's line number is written.
  PlaneXY label_at;
  // A circle whose radius reaches round the whole Earth.
  bool covers_everything = false;
};

// How far from the station the area reaches. An open sector and a compass
// arrow reach as far as the map does: they count with their inner range and
// their point.
double area_reach(const RuleArea& area, const Azimuthal& projection);

// The shape to draw; `open_outer` is the outer range of a sector without one
// and `arrow_miles` the length of a compass arrow.
AreaShape area_shape(const RuleArea& area, const Azimuthal& projection, double open_outer,
                     double arrow_miles);

// The outer circle of the map: the station's antipode.
std::vector<PlaneXY> earth_edge();
