#pragma once
// Range checks, sign and combination of the parts.

#include "angles/angle_notation.h"
#include "console/console.h"

namespace angles {

// The one minus sign counts when it stands in the parsed text: on the
// degrees, the minutes or the seconds, the whole angle is negative.
bool angle_is_negative(const AngleText& text, const AngleParts& parts);

// Range checks, sign and combination; the result in degrees.
int combine_parts(Console& con, const AngleParts& parts, bool negative, double& degrees);

}  // namespace angles
