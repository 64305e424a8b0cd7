#pragma once
// What the boot loader got in one upload: the identifier, every record line
// (resends included) with the reply given, and the image of the lines it
// accepted.

#include <string>
#include <vector>

#include "emu_faults.h"
#include "hex_record.h"

struct ReceivedLine {
  std::string text;  // as received, without the CR
  Reply reply;       // SILENCE when none was sent
};

struct UploadRecord {
  bool synced = false;      // a SYN came after the ENQ
  std::string identifier;   // the last nine identifier bytes received
  bool identified = false;  // they were the expected ones
  std::vector<ReceivedLine> lines;
  HexImage image;
  bool finished = false;  // the end-of-file record was accepted
};

inline constexpr char BOOT_IDENTIFIER[] = "kTNoDi1.0";
