#pragma once
// Reading numbers out of the operator's text: command words, configuration
// values, rule arguments and the fields of an angle. They read as the C
// library's atoi, strtol and strtod read plain decimal text, but never take a
// form the operator did not mean (hexadecimal, "inf", "nan") and never
// overflow: huge values saturate or become infinite.

#include <string_view>

// ASCII digits only, whatever the locale.
inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Leading white space, an optional sign, digits; stops at the first other
// character; no digits give 0. Values beyond int saturate at INT_MIN/INT_MAX.
int read_int(std::string_view text);

// As read_int, but the prefix tells the base as strtol's base 0 does: "0x"
// or "0X" hexadecimal, a leading 0 octal, anything else decimal.
int read_int_auto_base(const char* text);

// Leading white space, an optional sign, digits with an optional fraction and
// an optional exponent; stops at the first character that does not fit; no
// number gives 0. Too large a value gives an infinity of its sign.
double read_real(const char* text);

// Rounds to single precision as IEEE 754 does (nearest, ties to even),
// giving an infinity beyond the float range instead of undefined behaviour.
float to_single(double value);
