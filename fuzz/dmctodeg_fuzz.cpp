// Any text, newline and high bytes included: the parser either returns an
// angle within the loose bound and prints nothing, or prints one message and
// returns the failure value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "angles/dmctodeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // ends at the first NUL
  Console con("");
  const double degrees = dmctodeg(con, text.c_str());
  const std::string& out = con.output();
  if (degrees == DMC_FAIL) {
    const bool one_message =
        out.rfind("\a\a", 0) == 0 || out == "dmctodeg: Error: invalid param inp\n";
    if (!one_message || out.back() != '\n') std::abort();
  } else if (!out.empty() || std::isnan(degrees) || degrees < -360 || degrees > 360) {
    std::abort();
  }
  return 0;
}
