#pragma once

#include "console/console.h"

// The failure value: the largest finite single-precision value (0x7F7FFFFF).
constexpr double DMC_FAIL = 3.4028234663852886e38;

// Converts one written angle (Colon, Dotted or DMC notation) to signed
// degrees, north and east positive. Prints one message and returns DMC_FAIL
// when the text is not a valid angle.
double dmctodeg(Console& con, const char* text);
