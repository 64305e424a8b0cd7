#include "map/map_frame.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMarginShare = 0.1;    // of the reach, beyond it
constexpr double kLeastHalfSide = 5.0;  // miles: a map of the station alone

}  // namespace

double miles_per_degree() { return EARTH_RADIUS_MILES * std::numbers::pi / 180.0; }

double round_step_below(double most) {
  if (!(most > 0.0) || !std::isfinite(most)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(most)));
  for (const double m : {5.0, 2.0, 1.0}) {
    if (m * power <= most) return m * power;
  }
  return power;
}

MapFrame::MapFrame(GeoPoint station, double reach_miles, MapXY origin, double side)
    : projection_(station), origin_(origin), side_(side) {
  const double reach = std::isfinite(reach_miles) ? reach_miles : HALF_CIRCUMFERENCE_MILES;
  half_miles_ = std::clamp(reach * (1.0 + kMarginShare), kLeastHalfSide, HALF_CIRCUMFERENCE_MILES);
  scale_ = side / (2.0 * half_miles_);
}

MapXY MapFrame::to_page(PlaneXY p) const {
  return {origin_.x + (p.x + half_miles_) * scale_, origin_.y + (half_miles_ - p.y) * scale_};
}

bool MapFrame::inside(MapXY p) const {
  return p.x >= origin_.x && p.x <= origin_.x + side_ && p.y >= origin_.y &&
         p.y <= origin_.y + side_;
}
