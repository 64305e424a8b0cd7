#pragma once
// The station's own projection: azimuthal equidistant, centred on the
// station. Every point is drawn at its great-circle distance from the
// station, in the direction of its bearing, so distance and bearing from the
// station are true everywhere: a circle around the station is a circle, a
// sector is an exact wedge, and neither the date line nor a pole is a seam.
// The antipode is the whole outer circle, HALF_CIRCUMFERENCE_MILES out.

#include "map/great_circle.h"

// A point of the projection plane: miles east and north of the station.
struct PlaneXY {
  double x = 0.0;
  double y = 0.0;
};

class Azimuthal {
 public:
  explicit Azimuthal(GeoPoint centre);

  PlaneXY project(GeoPoint p) const;
  // The point drawn at `p`, its longitude within -180..180; beyond the
  // outer circle, the point that far round the great circle.
  GeoPoint unproject(PlaneXY p) const;
  GeoPoint centre() const { return centre_; }
  GeoPoint antipode() const;

 private:
  GeoPoint centre_;
  double sin_lat_ = 0.0;
  double cos_lat_ = 1.0;
};

// The point `miles` from the station on `bearing`.
PlaneXY polar_xy(double bearing, double miles);

// The distance of a plane point from the station.
double plane_miles(PlaneXY p);
