#pragma once
// Replacing the device firmware through its boot loader: the whole HEX file is
// verified first, then the port is opened at 19200, the operator powers the
// device on, the boot loader's ENQ is answered with SYN and the identifier,
// and the record lines go out one at a time, each answered by one byte.

#include "device/link.h"

enum class FirmwareResult : int {
  kOk = 0,
  kNoFileName = -1,
  kCannotOpen = -2,  // the file cannot be opened
  kUnreadable = -3,  // the file could not be read during the upload
  kVerifyFailed = -4,
  kPortNotOpened = -5,
  kNoPrompt = -6,  // no boot-loader prompt
  kSynNotWritten = -7,
  kNoSync = -8,
  kIdentNotWritten = -9,
  kIdentNotAcked = -10,
  kRecordNotWritten = -11,
  kTooManyErrors = -12,  // too many refusals
  kFatalRefusal = -13,
  kBufferFull = -14,
  kNeverQuiet = -15,  // the line never went quiet after the port was opened
};

// Opens COM`port_number` on `link` for the upload and closes it on every
// path; `connected` is left as it is.
FirmwareResult firmware(Link& link, int port_number, const char* file_name);
