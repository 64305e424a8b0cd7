#include "firmware/firmware_progress.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FirmwareProgress, TextAndBar) {
  struct Case {
    std::int64_t elapsed;
    std::uint32_t done;
    std::uint32_t total;
    std::string text;
    std::size_t bar;
  };
  const Case cases[] = {
      {0, 0, 10, "\r  0s TTC   0s  0.0% ", 0},
      {0, 0, 0, "\r  0s TTC   0s  0.0% ", 0},
      {30, 5, 10, "\r 30s TTC  30s 50.0% ", 29},
      {5, 1, 100, "\r  5s TTC 495s  1.0% ", 0},
      // 100.0 % is one column too wide: the trailing blank goes.
      {45, 10, 10, "\r 45s TTC   0s 100.0%", 59},
      // From 1000 s on the text loses its end, the bar keeps its column.
      {1000, 1, 2, "\r1000s TTC 1000s 50.0", 29},
      {999, 1, 4, "\r999s TTC 2997s 25.0%", 14},
      {10, 3, 2, "\r 10s TTC   0s 150.0%", 59},  // past the total: still in bounds
  };
  for (const Case& c : cases) {
    EXPECT_EQ(firmware_progress_text(c.elapsed, c.done, c.total), c.text + std::string(c.bar, '='))
        << c.elapsed << " " << c.done << "/" << c.total;
  }
}

}  // namespace
