#pragma once
// The DMC scan: numbers tagged with D, M or C in any order, each part at most
// once, direction letters anywhere.

#include "angles/angle_notation.h"
#include "console/console.h"

namespace angles {

int scan_dmc(Console& con, const AngleText& text, AngleParts& parts);

}  // namespace angles
