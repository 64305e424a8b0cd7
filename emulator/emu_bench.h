#pragma once
// The stand-in device in-process, on a virtual clock. Put `env()` in
// the env of a Link and the host code runs against the model as against a port:
//
//   EmuBench bench({.faults = {nak_packet(2, 4)}});
//   Link link(con);
//   link.env = bench.env();
//   ... connect, download ...
//   bench.model().download().conf   // what the device received
//
// The environment's opener opens the model's port whatever the path (each
// open starts a host session, and the device powers on `power_on` after it);
// its clocks are the bench's virtual clock: now() moves only when a read
// waits (or run_for is called), and wall_seconds() is a fixed base plus the
// whole virtual seconds elapsed.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device_model.h"
#include "emu_options.h"
#include "serial/port_env.h"

struct BenchCore;

class EmuBench {
 public:
  explicit EmuBench(EmuOptions options = {});
  EmuBench(const EmuBench&) = delete;
  EmuBench& operator=(const EmuBench&) = delete;

  PortEnv env();
  DeviceModel& model();
  // Virtual time elapsed since construction.
  std::chrono::microseconds elapsed() const;
  // The operator powers the device on again now (the `power` stdin line).
  void power();

  // Lets virtual time pass without a host read; the device runs meanwhile.
  void run_for(std::chrono::microseconds span);
  // The session log so far, one event a line (time in virtual seconds).
  const std::vector<std::string>& log() const;

  static constexpr std::int64_t WALL_BASE_SECONDS = 1'700'000'000;

 private:
  std::shared_ptr<BenchCore> core_;
};
