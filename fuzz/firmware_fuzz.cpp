// The firmware upload with the fuzzer as the boot loader, of a small valid
// file, the operator's Enter given. Besides the run's checks, nothing but
// SYN, the identifier and the file's record lines (each with its CR) is sent.
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>

#include "firmware/firmware.h"
#include "wire_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::set<std::string> allowed = [] {
    std::set<std::string> lines = {"\x16", "kTNoDi1.0"};
    std::istringstream file(WIRE_FIRMWARE);
    for (std::string line; std::getline(file, line);) {
      if (line.starts_with(":")) lines.insert(line + "\r");
    }
    return lines;
  }();
  WireRun w(data, size, "\n");
  w.run(firmware_bound_ms(WIRE_FIRMWARE_RECORDS),
        [&] { firmware(w.link, 1, wire_firmware_path()); });
  for (const std::string& sent : w.writes) {
    wire_check(allowed.contains(sent), "sent other than SYN, the identifier and record lines");
  }
  return 0;
}
