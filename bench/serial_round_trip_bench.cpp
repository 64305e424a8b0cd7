// One-byte request and reply over a pseudo-terminal whose other side echoes
// at once, the shape of every acknowledged packet of the device protocols.
// The same round trip with bare write/poll/read on a raw terminal is the
// floor; the difference of the medians is what the port routines add.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "serial/serial.h"
#include "support/pty_pair.h"

namespace {

using Clock = std::chrono::steady_clock;

// Echoes every byte that reaches the master side until stopped.
class Echo {
 public:
  explicit Echo(int master) : thread_([this, master] { run(master); }) {}
  ~Echo() {
    stop_ = true;
    thread_.join();
  }

 private:
  void run(int master) {
    char buf[256];
    while (!stop_) {
      if (!PtyPair::readable(master, 20)) continue;
      const ssize_t n = ::read(master, buf, sizeof buf);
      if (n > 0 && ::write(master, buf, static_cast<std::size_t>(n)) != n) return;
    }
  }

  std::atomic<bool> stop_{false};
  std::thread thread_;
};

void report(benchmark::State& state, std::vector<double>& us) {
  if (us.empty()) return;
  std::sort(us.begin(), us.end());
  state.counters["median_us"] = us[us.size() / 2];
  state.counters["p90_us"] = us[us.size() * 9 / 10];
}

template <typename RoundTrip>
void measure(benchmark::State& state, RoundTrip round_trip) {
  std::vector<double> us;
  us.reserve(1 << 16);
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!round_trip()) {
      state.SkipWithError("no echo");
      break;
    }
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  report(state, us);
}

void BM_PortRoundTrip(benchmark::State& state) {
  PtyPair pty;
  Console con("");
  PortHandle port;
  if (open_port(con, port, pty.path.c_str(), 115200) != OpenPortResult::kOk) {
    state.SkipWithError("open_port failed");
    return;
  }
  Echo echo(pty.master.get());
  std::uint8_t byte = 0x06;
  measure(state, [&] {
    return write_port(con, port, "COM1", &byte, 1) == 1 &&
           read_port(con, port, "COM1", &byte, 1, 1000) == 1;
  });
}

void BM_RawRoundTrip(benchmark::State& state) {
  PtyPair pty;
  termios t = pty.slave_termios();
  cfmakeraw(&t);
  ::tcsetattr(pty.slave.get(), TCSANOW, &t);
  Echo echo(pty.master.get());
  const int fd = pty.slave.get();
  char byte = 0x06;
  measure(state, [&] {
    return ::write(fd, &byte, 1) == 1 && PtyPair::readable(fd, 1000) && ::read(fd, &byte, 1) == 1;
  });
}

// Both round trips in turn, each on its own terminal, so that load from
// elsewhere on the machine falls on both alike: added_us is the difference of
// their medians.
void BM_PortAddedOverRaw(benchmark::State& state) {
  PtyPair raw_pty;
  termios t = raw_pty.slave_termios();
  cfmakeraw(&t);
  ::tcsetattr(raw_pty.slave.get(), TCSANOW, &t);
  PtyPair port_pty;
  Console con("");
  PortHandle port;
  if (open_port(con, port, port_pty.path.c_str(), 115200) != OpenPortResult::kOk) {
    state.SkipWithError("open_port failed");
    return;
  }
  Echo raw_echo(raw_pty.master.get());
  Echo port_echo(port_pty.master.get());
  const int fd = raw_pty.slave.get();
  std::vector<double> raw_us;
  std::vector<double> port_us;
  std::uint8_t byte = 0x06;
  for (auto _ : state) {
    auto start = Clock::now();
    const bool raw_ok =
        ::write(fd, &byte, 1) == 1 && PtyPair::readable(fd, 1000) && ::read(fd, &byte, 1) == 1;
    raw_us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    start = Clock::now();
    const bool port_ok = write_port(con, port, "COM1", &byte, 1) == 1 &&
                         read_port(con, port, "COM1", &byte, 1, 1000) == 1;
    port_us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    if (!raw_ok || !port_ok) {
      state.SkipWithError("no echo");
      break;
    }
  }
  std::sort(raw_us.begin(), raw_us.end());
  std::sort(port_us.begin(), port_us.end());
  if (raw_us.empty()) return;
  state.counters["raw_median_us"] = raw_us[raw_us.size() / 2];
  state.counters["port_median_us"] = port_us[port_us.size() / 2];
  state.counters["added_us"] = port_us[port_us.size() / 2] - raw_us[raw_us.size() / 2];
}

BENCHMARK(BM_RawRoundTrip)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_PortRoundTrip)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_PortAddedOverRaw)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
