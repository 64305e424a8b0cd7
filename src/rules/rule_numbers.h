#pragma once
// Decimal conversions of the rules file (SSIDs, radii, sector ranges). They
// read only plain decimal text: no hexadecimal, no "inf" or "nan", which a
// general library conversion would accept.

// Leading white space, an optional sign, digits; stops at the first other
// character; no digits give 0. Values beyond int saturate at INT_MIN/INT_MAX.
int read_decimal_int(const char* text);

// Leading white space, an optional sign, digits with an optional fraction and
// an optional exponent; stops at the first character that does not fit; no
// number gives 0. Too large a value gives an infinity of its sign.
double read_decimal_real(const char* text);

// Rounds to single precision as IEEE 754 does (nearest, ties to even),
// giving an infinity beyond the float range instead of undefined behaviour.
float to_single(double value);
