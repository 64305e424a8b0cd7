#pragma once
// The area rules of a compiled rule set as plain geography, for the checks
// and the map. Only what the host knows of a rule: how the device applies
// it is the device's business.

#include <optional>

#include "map/great_circle.h"
#include "rules/rule_rec.h"

// Distances beyond this are drawn as this: no point is farther than the
// antipode, and a circle of this radius covers everything.
constexpr double AREA_MAX_MILES = HALF_CIRCUMFERENCE_MILES;

struct RuleArea {
  std::uint8_t kind = 0;  // RULE_CIRCLE, RULE_COMPASS, RULE_RECTANGLE or RULE_SECTOR
  bool pass = false;      // the action: pass, or drop
  int line = 0;           // the rules-file line
  GeoPoint point;         // circle centre, compass point, rectangle corner 1
  GeoPoint corner2;       // rectangle corner 2
  double radius = 0.0;    // circle radius, miles
  double bearing = 0.0;   // compass direction, degrees clockwise from north
  double ang1 = 0.0;      // sector, degrees
  double ang2 = 0.0;
  double inner = 0.0;  // sector ranges, miles; outer 0 when open
  double outer = 0.0;
};

// The area of a circle, compass, rectangle or sector record; nothing for the
// call-sign kinds.
std::optional<RuleArea> rule_area(const RuleRec& rec);

// True for the kinds that stand at a position of their own (circle, compass,
// rectangle), as opposed to a sector, which stands around the station.
bool area_has_position(const RuleArea& area);

// How far the nearest part of a positioned area is from the station: 0 when
// the station lies inside it.
double area_distance_miles(const RuleArea& area, GeoPoint station);

// A rectangle read as latitudes and longitudes compared as numbers: from
// the smaller to the larger of each pair. Such a box never crosses the date
// line; the map and --check both take this reading.
struct GeoBox {
  double south = 0.0;
  double north = 0.0;
  double west = 0.0;
  double east = 0.0;
};
GeoBox rectangle_box(const RuleArea& area);
bool box_contains(const GeoBox& box, GeoPoint p);

// The clockwise span of a sector from ang1 to ang2, in (0, 360]: equal
// angles give the whole ring.
double sector_span(const RuleArea& area);
