#pragma once
// Replacing the device firmware through its boot loader: the whole HEX file is
// verified first, then the port is opened at 19200, the operator powers the
// device on, the boot loader's ENQ is answered with SYN and the identifier,
// and the record lines go out one at a time, each answered by one byte.

#include "console/console.h"
#include "device/link_state.h"

// 0 on success; -1 no file name, -2 the file cannot be opened, -3 the file
// could not be read during the upload, -4 verification failed, -5 the port
// could not be opened, -6 no boot-loader prompt, -7 SYN not written, -8 no
// sync, -9 identifier not written, -10 identifier not acknowledged, -11 a
// record not written, -12 too many refusals, -13 fatal refusal, -14 buffer
// full, -15 the line never went quiet after the port was opened.
int firmware(Console& con, LinkState& link, int port_number, const char* file_name);
