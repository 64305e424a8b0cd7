#pragma once
// The hexadecimal fields of an Intel HEX record line.

#include <cstddef>
#include <cstdint>

// The value of one hexadecimal digit (either case), or -1 for any other char.
int hex_digit_value(char c);

// The signed value of a hexadecimal field of at most `count` characters.
// Leading blanks and tabs, one sign and the '0' of a "0x" are skipped, each
// using up one of the count; digits are then taken until the count is used up
// or a character is not a digit. No text or a count below 1 gives 0. A field
// "0x1F" therefore reads as 0: only the '0' of the prefix is skipped.
int hextoi(const char* text, int count);

// The 8-bit sum of the two-character hexadecimal values of `text`, taken pair
// by pair with hextoi. A lone last character counts as a one-digit field; the
// sum never reads past the terminator.
std::uint8_t inhexsum(const char* text);

// inhexsum's sum, and how many characters from the start of `text` are
// hexadecimal digits, found in the same pass.
struct HexScan {
  std::uint8_t sum;
  std::size_t digits;
};
HexScan hex_scan(const char* text);
