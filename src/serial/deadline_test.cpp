#include "serial/deadline.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using std::chrono::hours;
using std::chrono::microseconds;
using std::chrono::milliseconds;

const Deadline::Clock::time_point t0{hours(1)};

TEST(Deadline, CountsDownFromItsStart) {
  const Deadline d(milliseconds(250), t0);
  EXPECT_EQ(d.remaining_ms(t0), 250);
  EXPECT_EQ(d.remaining_ms(t0 + milliseconds(100)), 150);
  EXPECT_FALSE(d.expired(t0 + milliseconds(249)));
  EXPECT_TRUE(d.expired(t0 + milliseconds(250)));
  EXPECT_EQ(d.remaining_ms(t0 + milliseconds(250)), 0);
  EXPECT_EQ(d.remaining_ms(t0 + milliseconds(900)), 0);
}

TEST(Deadline, RoundsAPartMillisecondUpSoAWaitNeverEndsEarly) {
  const Deadline d(milliseconds(10), t0);
  EXPECT_EQ(d.remaining_ms(t0 + microseconds(9001)), 1);
  EXPECT_EQ(d.remaining_ms(t0 + microseconds(9999)), 1);
  EXPECT_EQ(d.remaining_ms(t0 + microseconds(1)), 10);
}

TEST(Deadline, ZeroBudgetHasExpiredAtOnce) {
  const Deadline d(milliseconds(0), t0);
  EXPECT_TRUE(d.expired(t0));
  EXPECT_EQ(d.remaining_ms(t0), 0);
}

TEST(Deadline, HugeBudgetIsClampedForPoll) {
  const Deadline d(hours(24 * 365), t0);
  EXPECT_EQ(d.remaining_ms(t0), INT_MAX);
}

TEST(Deadline, DefaultStartIsNow) {
  const Deadline d(milliseconds(60000));
  EXPECT_FALSE(d.expired());
  EXPECT_GT(d.remaining_ms(), 0);
  EXPECT_LE(d.remaining_ms(), 60000);
}

}  // namespace
