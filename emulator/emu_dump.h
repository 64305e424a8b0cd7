#pragma once
// What the operator finds in the --dump file after a transfer: the bytes the
// device received, in hex, and what they mean.

#include <string>

#include "download_record.h"
#include "upload_record.h"

// The configuration record (hex, then its fields as "dconfigure" lists them)
// and the rules (each record's hex and its line as "drules" shows it).
std::string download_dump(const DownloadRecord& download);
// The firmware image in hex, 16 bytes a line, a new line at every gap.
std::string upload_dump(const UploadRecord& upload);
