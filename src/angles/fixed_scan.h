#pragma once
// The Colon and Dotted scans: fixed separators, whole degrees.

#include "angles/angle_notation.h"
#include "console/console.h"

namespace angles {

int scan_colon(Console& con, const AngleText& text, const AngleCounts& counts, AngleParts& parts);
int scan_dotted(Console& con, const AngleText& text, const AngleCounts& counts, AngleParts& parts);

// The scan reached the newline or terminator at `end`: nothing may be left
// unconverted behind the last separator, identifier or direction letter.
int end_of_scan(Console& con, const char* field_start, const char* end);

}  // namespace angles
