#include "angles/angle_combine.h"

#include <algorithm>
#include <cmath>

namespace angles {
namespace {

// Open interval (-60, 60): a minus sign on the minutes or seconds passes.
bool out_of_minute_range(float value) { return value <= -60 || value >= 60; }

int check_part_ranges(Console& con, const AngleParts& parts) {
  if (out_of_minute_range(parts.seconds)) {
    con.print("\a\aError: sec %f is out of range [0..59.99]\n", parts.seconds);
    return ANGLE_FAIL;
  }
  if (out_of_minute_range(parts.minutes)) {
    con.print("\a\aError: min %f is out of range [0..59.99]\n", parts.minutes);
    return ANGLE_FAIL;
  }
  return 0;
}

}  // namespace

bool angle_is_negative(const AngleText& text, const AngleParts& parts) {
  return parts.south_west || std::find(text.begin, text.end, '-') != text.end;
}

int combine_parts(Console& con, const AngleParts& parts, bool negative, double& degrees) {
  if (check_part_ranges(con, parts) < 0) return ANGLE_FAIL;
  const double d = parts.degrees;
  const double m = parts.minutes;
  const double s = parts.seconds;
  const double result =
      negative ? -(std::fabs(d) + std::fabs(m) / 60 + std::fabs(s) / 3600) : d + m / 60 + s / 3600;
  // The bound is 360 so that bearings pass; the text names the latitude and
  // longitude range the operator usually has in mind.
  if (result < -360 || result > 360) {
    con.print("\a\aError: deg %f is out of range [-180..180]\n", result);
    return ANGLE_FAIL;
  }
  degrees = result;
  return 0;
}

}  // namespace angles
