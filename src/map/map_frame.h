#pragma once
// The map's projection: equirectangular around the centre of everything
// drawn, with the longitude scale of the centre latitude, north up. At the
// distances of a digipeater's rules that is close enough to the ground.

#include <vector>

#include "map/great_circle.h"

struct MapXY {
  double x = 0.0;
  double y = 0.0;
};

class MapFrame {
 public:
  // A frame that holds every point with a margin, drawn at most
  // max_width x max_height pixels with its top-left corner at `origin`.
  MapFrame(const std::vector<GeoPoint>& points, GeoPoint station, MapXY origin, double max_width,
           double max_height);

  MapXY project(GeoPoint p) const;
  double px_per_mile() const { return scale_; }
  MapXY origin() const { return origin_; }
  double width() const { return width_; }
  double height() const { return height_; }
  // The corners of the frame, for the graticule and for open sectors.
  GeoPoint north_west() const;
  GeoPoint south_east() const;
  // The distance from `from` to the farthest corner of the frame.
  double miles_to_farthest_corner(GeoPoint from) const;

 private:
  double centre_lat_ = 0.0;
  double centre_lon_ = 0.0;
  double lon_scale_ = 1.0;  // miles per degree of longitude / per degree of latitude
  double west_ = 0.0;       // local miles of the frame's edges
  double east_ = 0.0;
  double south_ = 0.0;
  double north_ = 0.0;
  double scale_ = 1.0;
  MapXY origin_;
  double width_ = 0.0;
  double height_ = 0.0;
};

// Miles per degree of latitude on the sphere of great_circle.h.
double miles_per_degree();

// A round step for grid lines or a scale bar: 1, 2 or 5 times a power of ten,
// the largest not above `most`.
double round_step_below(double most);
