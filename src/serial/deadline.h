#pragma once
// One monotonic deadline for a bounded wait: a total budget measured from a
// start instant on the steady clock, so that a wall-clock change can neither
// cut a wait short nor stretch it. Every method takes `now`, so the arithmetic
// is tested without waiting.

#include <chrono>

class Deadline {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Deadline(std::chrono::milliseconds budget, Clock::time_point start = Clock::now())
      : end_(start + budget) {}

  bool expired(Clock::time_point now = Clock::now()) const { return now >= end_; }

  // Whole milliseconds left, rounded up so that a wait of this length never
  // ends before the deadline; 0 once it has passed. Suits poll().
  int remaining_ms(Clock::time_point now = Clock::now()) const;

  Clock::time_point end() const { return end_; }

 private:
  Clock::time_point end_;
};
