#include "angles/fixed_scan.h"

#include <algorithm>

#include "angles/number_reading.h"
#include "text/number_text.h"

namespace angles {
namespace {

// The whole number written between two separators.
int whole(const char* begin, const char* end) {
  return read_int(std::string_view(begin, static_cast<std::size_t>(end - begin)));
}

}  // namespace

int end_of_scan(Console& con, const char* field_start, const char* end) {
  if (field_start != end) {
    con.print("\a\aInternal Error: pointer mismatch\n");
    return ANGLE_FAIL;
  }
  return 0;
}

// [s][D]DD:MM:SS[.F*]: degrees and minutes whole, only the seconds may
// carry a fraction; empty parts are 0.
int scan_colon(Console& con, const AngleText& text, const AngleCounts& counts, AngleParts& parts) {
  if (counts.colons != 2) {
    con.print("\a\aInternal Error: Colon format\n");
    return ANGLE_FAIL;
  }
  const char* first = std::find(text.begin, text.end, ':');
  if (first == text.end) return end_of_scan(con, text.begin, text.end);
  parts.degrees = static_cast<float>(whole(text.begin, first));
  const char* second = std::find(first + 1, text.end, ':');
  if (second == text.end) return end_of_scan(con, first + 1, text.end);
  parts.minutes = static_cast<float>(whole(first + 1, second));
  parts.seconds = to_single(decimal_reading(second + 1, text.end));
  return 0;
}

// [s][D]DD.MM.[F*]: the second period is the decimal point of the minutes,
// so the minutes are read across it; the seconds stay 0.
int scan_dotted(Console& con, const AngleText& text, const AngleCounts& counts, AngleParts& parts) {
  if (counts.periods != 2) {
    con.print("\a\aInternal Error: Dotted format\n");
    return ANGLE_FAIL;
  }
  const char* first = std::find(text.begin, text.end, '.');
  if (first == text.end) return end_of_scan(con, text.begin, text.end);
  parts.degrees = static_cast<float>(whole(text.begin, first));
  const char* second = std::find(first + 1, text.end, '.');
  if (second == text.end) return end_of_scan(con, first + 1, text.end);
  parts.minutes = to_single(decimal_reading(first + 1, text.end));
  return 0;
}

}  // namespace angles
