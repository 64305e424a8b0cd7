#include "angles/dmc_scan.h"

#include <cstring>

#include "angles/fixed_scan.h"
#include "angles/number_reading.h"
#include "text/number_text.h"

namespace angles {
namespace {

enum class Part { kDegrees, kMinutes, kSeconds };

struct DmcScan {
  const char* field_start;
  bool have[3] = {false, false, false};
};

bool is_number_char(unsigned char c) {
  return c == '\t' || c == ' ' || c == '+' || c == '-' || c == '.' || is_digit(c);
}

bool is_direction(unsigned char c) { return c != '\0' && std::strchr("NnSsEeWw", c) != nullptr; }

void print_already(Console& con, Part part, float earlier) {
  switch (part) {
    case Part::kDegrees:
      con.print("\a\aError: DMC format: already have degrees (%f)\n", earlier);
      break;
    case Part::kMinutes:
      con.print("\a\aError: DMC format: already have minutes (%f)\n", earlier);
      break;
    case Part::kSeconds:
      con.print("\a\aError: DMC format: already have seconds (%f)\n", earlier);
      break;
  }
}

float& part_value(AngleParts& parts, Part part) {
  switch (part) {
    case Part::kDegrees:
      return parts.degrees;
    case Part::kMinutes:
      return parts.minutes;
    case Part::kSeconds:
      break;
  }
  return parts.seconds;
}

// The number from the field start up to the identifier at `id`. The degrees
// are read straight from the text, not from a bounded copy, so a degrees
// text of any length is converted whole and nothing can overflow.
int take_part(Console& con, DmcScan& scan, Part part, const char* id, AngleParts& parts) {
  float& value = part_value(parts, part);
  bool& have = scan.have[static_cast<int>(part)];
  if (have) {
    print_already(con, part, value);
    return ANGLE_FAIL;
  }
  value = to_single(decimal_reading(scan.field_start, id));
  have = true;
  scan.field_start = id + 1;
  return 0;
}

bool identifier_part(unsigned char c, Part& part) {
  switch (c) {
    case 'D':
    case 'd':
      part = Part::kDegrees;
      return true;
    case 'M':
    case 'm':
      part = Part::kMinutes;
      return true;
    case 'C':
    case 'c':
      part = Part::kSeconds;
      return true;
    default:
      return false;
  }
}

}  // namespace

int scan_dmc(Console& con, const AngleText& text, AngleParts& parts) {
  DmcScan scan{text.begin};
  for (const char* p = text.begin; p != text.end; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    Part part = Part::kDegrees;
    if (is_number_char(c)) continue;
    if (identifier_part(c, part)) {
      if (take_part(con, scan, part, p, parts) < 0) return ANGLE_FAIL;
    } else if (is_direction(c)) {
      scan.field_start = p + 1;  // number text before a direction letter is dropped
    } else {
      con.print("\a\aError: DMC format: invalid char: %c (0x%02x)\n", c, static_cast<unsigned>(c));
      return ANGLE_FAIL;
    }
  }
  return end_of_scan(con, scan.field_start, text.end);
}

}  // namespace angles
