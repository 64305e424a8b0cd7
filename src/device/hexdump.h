#pragma once
// The offset / hexadecimal / character dump that shows the operator what the
// device actually sent. The layout is computed as text, so it is tested
// without a console; `hexdump` only prints it.
//
// flags choose the title line: 0 names the buffer's address, bit 0 shows the
// caller's title, bit 1 alone shows only the length, anything else none.
// `group` repeats the column header before every group-th dump line (0: no
// header).

#include <cstdint>
#include <string>

#include "console/console.h"

std::string hexdump_text(int flags, const char* title, const std::uint8_t* buf, int length,
                         int group);

void hexdump(Console& con, int flags, const char* title, const std::uint8_t* buf, int length,
             int group);
