#pragma once
// Sending the record lines of a verified firmware file to the boot loader,
// each followed by CR and answered by one byte: ACK takes the next line; any
// other reply is an error that is counted over the whole upload, and either
// resends the line or ends the upload.

#include <cstdint>
#include <cstdio>

#include "device/link.h"
#include "firmware/firmware.h"

constexpr int FW_MAX_ERRORS = 10;

struct UploadProgress {
  std::int64_t start_seconds = 0;
  std::uint32_t total = 0;
};

// Prints the progress line for `done` records, after a newline when asked.
void firmware_progress(Link& link, const UploadProgress& progress, int newline_first,
                       std::uint32_t done);

// Sends every record line of `file` from its beginning. kOk at the end of
// the file, or kUnreadable, kRecordNotWritten, kTooManyErrors, kFatalRefusal
// or kBufferFull after its message.
FirmwareResult firmware_upload(Link& link, std::FILE* file, std::uint32_t total);
