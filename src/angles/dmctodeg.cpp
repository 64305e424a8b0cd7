#include "angles/dmctodeg.h"

#include "angles/angle_combine.h"
#include "angles/angle_notation.h"
#include "angles/dmc_scan.h"
#include "angles/fixed_scan.h"

using namespace angles;

namespace {

int scan_parts(Console& con, Notation notation, const AngleText& text, const AngleCounts& counts,
               AngleParts& parts) {
  switch (notation) {
    case Notation::kColon:
      return scan_colon(con, text, counts, parts);
    case Notation::kDotted:
      return scan_dotted(con, text, counts, parts);
    case Notation::kDmc:
      return scan_dmc(con, text, parts);
  }
  con.print("\a\aInternal Error: could not determine format\n");
  return ANGLE_FAIL;
}

}  // namespace

double dmctodeg(Console& con, const char* text) {
  if (text == nullptr || *text == '\0') {
    con.print("dmctodeg: Error: invalid param inp\n");
    return DMC_FAIL;
  }
  const AngleCounts counts = count_angle_chars(text);
  if (counts.minus > 1) {
    con.print("\a\aError: too man minus signs: %d: only one is allowed\n", counts.minus);
    return DMC_FAIL;
  }
  Notation notation = Notation::kDmc;
  AngleParts parts;
  if (decide_notation(con, text, counts, notation, parts) < 0) return DMC_FAIL;
  const AngleText parsed = parsed_text(text);
  if (scan_parts(con, notation, parsed, counts, parts) < 0) return DMC_FAIL;
  double degrees = 0;
  if (combine_parts(con, parts, angle_is_negative(parsed, parts), degrees) < 0) return DMC_FAIL;
  return degrees;
}
