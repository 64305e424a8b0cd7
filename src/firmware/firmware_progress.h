#pragma once
// The upload's progress line, computed apart from the clock and the console.

#include <cstdint>
#include <string>

// The line for `done` of `total` records acknowledged after `elapsed` seconds:
// a leading CR, elapsed time, time to completion and percentage, cut to 21
// characters so that the bar of trunc(59 x done / total) '=' always starts in
// the same column. No newline.
std::string firmware_progress_text(std::int64_t elapsed, std::uint32_t done, std::uint32_t total);
