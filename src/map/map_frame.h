#pragma once
// Where the projection lands on the page: a square around the station that
// reaches a given distance from it in every direction (at most to the
// antipode, where the whole Earth shows as a disc), north up at the station.

#include "map/azimuthal.h"

struct MapXY {
  double x = 0.0;
  double y = 0.0;
};

class MapFrame {
 public:
  // A frame that holds everything within `reach_miles` of the station with
  // a margin, drawn `side` units square with its top-left corner at `origin`.
  MapFrame(GeoPoint station, double reach_miles, MapXY origin, double side);

  const Azimuthal& projection() const { return projection_; }
  MapXY project(GeoPoint p) const { return to_page(projection_.project(p)); }
  MapXY to_page(PlaneXY p) const;
  MapXY station_xy() const { return to_page({}); }
  // Units of the page per mile along every line through the station.
  double px_per_mile() const { return scale_; }
  // Miles from the station to each side of the square.
  double half_miles() const { return half_miles_; }
  MapXY origin() const { return origin_; }
  double width() const { return side_; }
  double height() const { return side_; }
  bool inside(MapXY p) const;
  // The outer circle (the antipode) lies within the frame.
  bool shows_whole_earth() const { return half_miles_ >= HALF_CIRCUMFERENCE_MILES; }

 private:
  Azimuthal projection_;
  double half_miles_ = 0.0;
  double scale_ = 1.0;
  MapXY origin_;
  double side_ = 0.0;
};

// Miles per degree of latitude on the sphere of great_circle.h.
double miles_per_degree();

// A round step for grid lines or a scale bar: 1, 2 or 5 times a power of ten,
// the largest not above `most`.
double round_step_below(double most);
