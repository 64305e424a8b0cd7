#pragma once
// Checks a whole Intel HEX firmware file before any of it goes to the device.

#include <cstdio>

#include "console/console.h"

// Reads `file` from its beginning and checks every record line (a line that
// begins with ':'; other lines are skipped but counted in the line numbers).
// Returns the number of record lines when all pass, otherwise one of these
// after its message:
//   -1 no file, -2 checksum (or a record character that is not a hex digit),
//   -3 type, -4 line length, -5 more than 128 data bytes, -6 data record
//   address not a multiple of 4, -7 no record line, or the file cannot be read.
// The file position is left wherever the check stopped.
int inhexverify(Console& con, std::FILE* file);
