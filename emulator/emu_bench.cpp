#include "emu_bench.h"

#include "emu_text.h"
#include "model_port.h"

namespace {

// Virtual time starts well clear of the clock's zero.
constexpr std::chrono::seconds CLOCK_BASE{1000};

}  // namespace

EmuBench::EmuBench(EmuOptions options) : core_(std::make_shared<BenchCore>(std::move(options))) {
  BenchCore* c = core_.get();  // the model lives in the core: no cycle
  c->model.set_rate_source([c] { return c->port_open ? c->dcb.baud_rate : 0U; });
  c->model.set_log(
      [c](EmuTime t, const std::string& event) { c->log.push_back(log_line(t, event)); });
}

PortEnv EmuBench::env() {
  PortEnv env;
  std::shared_ptr<BenchCore> core = core_;
  env.open_device = [core](const char*) { return ModelPort::open(core); };
  env.now = [core] {
    return PortEnv::Clock::time_point{} + CLOCK_BASE +
           std::chrono::duration_cast<PortEnv::Clock::duration>(core->now);
  };
  env.wall_seconds = [core] {
    return WALL_BASE_SECONDS + std::chrono::duration_cast<std::chrono::seconds>(core->now).count();
  };
  return env;
}

DeviceModel& EmuBench::model() { return core_->model; }

std::chrono::microseconds EmuBench::elapsed() const {
  return std::chrono::duration_cast<std::chrono::microseconds>(core_->now);
}

void EmuBench::power() { core_->model.power(core_->now); }

void EmuBench::run_for(std::chrono::microseconds span) {
  core_->now += span;
  core_->model.advance(core_->now);
}

const std::vector<std::string>& EmuBench::log() const { return core_->log; }
