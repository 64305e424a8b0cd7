#pragma once
// How the angle parser reads the real numbers inside its fields (whole
// numbers are read by read_int). The reader skips leading white space, takes
// one optional sign and stops at the first character that cannot continue
// the number; what follows is ignored and nothing readable gives 0. It takes
// digits with an optional decimal point and fraction only: no exponent (an
// E is a direction letter here), no hex, no inf or nan.

namespace angles {

// Real number, correctly rounded, independent of the locale. Too many
// integer digits for a double give an infinity of the number's sign.
double decimal_reading(const char* begin, const char* end);

}  // namespace angles
