#pragma once
// Distances and bearings on a sphere of the Earth's mean radius, in statute
// miles and degrees (north and east positive, bearings clockwise from north).
// Enough for drawing and checking areas; the device makes its own decisions.

#include <numbers>

constexpr double EARTH_RADIUS_MILES = 3958.76;  // 6371.0 km
// The farthest any point can be: the antipode.
constexpr double HALF_CIRCUMFERENCE_MILES = std::numbers::pi * EARTH_RADIUS_MILES;

struct GeoPoint {
  double lat = 0.0;
  double lon = 0.0;
};

// Great-circle distance between two points.
double great_circle_miles(GeoPoint a, GeoPoint b);

// The point `miles` away from `from` along the great circle that leaves it
// on `bearing`.
GeoPoint destination_point(GeoPoint from, double bearing, double miles);

// The bearing of `to` seen from `from`, in [0, 360).
double initial_bearing(GeoPoint from, GeoPoint to);

// A longitude brought within 180 degrees of `reference`, so that points on
// both sides of the date line sit next to each other.
double unwrap_lon(double lon, double reference);

// A longitude brought within -180..180.
double wrap_lon(double lon);
