#pragma once
// How the angle parser reads the numbers inside its fields. Both readers
// skip leading white space, take one optional sign and stop at the first
// character that cannot continue the number; what follows is ignored and
// nothing readable gives 0. The decimal reader takes digits with an optional
// decimal point and fraction only: no exponent, no hex, no inf or nan.

namespace angles {

// Whole number; values beyond the int range saturate.
int integer_reading(const char* begin, const char* end);

// Real number, correctly rounded, independent of the locale. Too many
// integer digits for a double give an infinity of the number's sign.
double decimal_reading(const char* begin, const char* end);

// A part is held in single precision; values beyond its range become an
// infinity (which every range check refuses) instead of an undefined cast.
float as_part(double value);

}  // namespace angles
