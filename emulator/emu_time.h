#pragma once
// The device model's time: nanoseconds since an epoch its driver chooses (the
// bench's construction, the program's start). Nanoseconds keep the line
// arithmetic exact enough that a run of bytes never drifts from its rate.

#include <chrono>
#include <cstddef>
#include <cstdint>

using EmuTime = std::chrono::nanoseconds;

// Bits a byte takes on the line: start bit, 8 data bits, stop bit.
constexpr std::int64_t LINE_BITS_PER_BYTE = 10;

// How long `bytes` bytes take on a line at `rate` baud; none at rate 0.
constexpr EmuTime line_time(std::uint32_t rate, std::size_t bytes) {
  if (rate == 0) return EmuTime{0};
  const std::int64_t bits = static_cast<std::int64_t>(bytes) * LINE_BITS_PER_BYTE;
  return EmuTime{bits * 1'000'000'000 / rate};
}
