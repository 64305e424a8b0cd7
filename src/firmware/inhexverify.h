#pragma once
// Checks a whole Intel HEX firmware file before any of it goes to the device.

#include <cstdio>

#include "console/console.h"

enum InHexFailure : int {
  HEX_NO_FILE = -1,
  HEX_CHECKSUM = -2,  // or a record character that is not a hex digit
  HEX_TYPE = -3,
  HEX_LENGTH = -4,     // the line's length does not match its count
  HEX_TOO_LONG = -5,   // more than 128 data bytes
  HEX_ALIGNMENT = -6,  // a data record's address is not a multiple of 4
  HEX_NO_RECORD = -7,  // no record line, or the file cannot be read
};

// Reads `file` from its beginning and checks every record line (a line that
// begins with ':'; other lines are skipped but counted in the line numbers).
// Returns the number of record lines when all pass, otherwise an
// InHexFailure after its message. The file position is left wherever the
// check stopped.
int inhexverify(Console& con, std::FILE* file);
