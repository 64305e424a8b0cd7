#include "firmware/firmware_progress.h"

#include <algorithm>
#include <cmath>

#include "console/console.h"

namespace {

constexpr std::size_t TEXT_COLUMNS = 21;
constexpr double BAR_COLUMNS = 59;

// Estimated whole duration less the time spent. Kept within 0 and the 32 bits
// an unsigned long has everywhere, so a clock step or a count past the total
// cannot print a wrapped value.
unsigned long time_to_completion(std::int64_t elapsed, double fraction) {
  if (fraction == 0.0) return 0;
  const double elapsed_s = static_cast<double>(elapsed);
  const double ttc = std::trunc(elapsed_s / fraction) - elapsed_s;
  return static_cast<unsigned long>(std::clamp(ttc, 0.0, 4294967295.0));
}

}  // namespace

std::string firmware_progress_text(std::int64_t elapsed, std::uint32_t done, std::uint32_t total) {
  const double fraction = total == 0 ? 0.0 : static_cast<double>(done) / total;
  std::string line = format_text("\r%3llds TTC %3lus %4.1f%% ", static_cast<long long>(elapsed),
                                 time_to_completion(elapsed, fraction), 100.0 * fraction);
  line.resize(std::min(line.size(), TEXT_COLUMNS));
  const double bar = std::clamp(std::trunc(BAR_COLUMNS * fraction), 0.0, BAR_COLUMNS);
  line.append(static_cast<std::size_t>(bar), '=');
  return line;
}
