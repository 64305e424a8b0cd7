#include "serial/deadline.h"

#include <climits>

int Deadline::remaining_ms(Clock::time_point now) const {
  if (now >= end_) return 0;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(end_ - now).count();
  return left > INT_MAX ? INT_MAX : static_cast<int>(left);
}
