#pragma once
// The angle parser, which dmctodeg runs in stages: a counting pass over the
// whole text, the choice of notation, one scan per notation that fills the
// parts, and the range checks, sign and combination. Each stage prints its
// own message and returns ANGLE_FAIL; dmctodeg turns that into DMC_FAIL. This
// is the first stage and the parser's shared types.

#include "console/console.h"

namespace angles {

constexpr int ANGLE_FAIL = -1;

// What is parsed: the text up to its first newline or its terminator.
struct AngleText {
  const char* begin;
  const char* end;
};

AngleText parsed_text(const char* text);

struct AngleCounts {
  int minus = 0;
  int colons = 0;
  int periods = 0;
  int letters = 0;
};

enum class Notation { kColon, kDotted, kDmc };

// The parts as written; a part the text does not give stays 0.
struct AngleParts {
  float degrees = 0;
  float minutes = 0;
  float seconds = 0;
  bool south_west = false;  // the text holds S, s, W or w
};

// Counts over the whole text, newline or not.
AngleCounts count_angle_chars(const char* text);

// Picks the notation and refuses texts that cannot be one; for DMC also
// checks the direction letters and sets the south/west mark.
int decide_notation(Console& con, const char* text, const AngleCounts& counts, Notation& notation,
                    AngleParts& parts);

}  // namespace angles
