// PLACEHOLDER until the angle parser lands: every angle is refused.
#include "angles/dmctodeg.h"

double dmctodeg(Console& con, const char* text) {
  if (text == nullptr || *text == '\0') {
    con.print("dmctodeg: Error: invalid param inp\n");
    return DMC_FAIL;
  }
  con.print("\a\aError: Unrecognized format: must be one of Dotted, Colon or DMC\n");
  return DMC_FAIL;
}
