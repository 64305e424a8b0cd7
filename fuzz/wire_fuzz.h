#pragma once
// The wire fuzzed: the fuzzer's bytes are the device. A run opens the link on
// a port device that answers every read from a script decoded from the input,
// on a virtual clock, so a 20-second wait costs nothing, and holds the
// command to these checks (a violation prints what failed and traps):
//   - the command ends, within the longest time its waits add up to (the
//     bounds below); the device traps at the first read past it, so a loop
//     that never ends is caught there too;
//   - no read asks for more than rx_buf holds, and the device writes no more
//     than it was asked for;
//   - afterwards the link is connected exactly when its port is open.
//
// Input: a header of WIRE_HEADER_SIZE bytes (rate and mode, rule count, which
// write fails), then steps, each answering reads; a step's tag has its kind
// in the top two bits:
//   WIRE_DATA, n-1, n bytes   a read gives them, up to its size
//   WIRE_FILL, n-1, n bytes   a read gives its whole size, the n bytes over
//                             and over (a line that never goes quiet)
//   WIRE_SILENT               nothing
//   WIRE_FAIL                 the read fails (a hang-up): a fatal read
// The tag's low five bits are how many reads the step answers, less one
// (WIRE_DATA and WIRE_FILL only), so a long run of NAKs is a short input.
// A read that gets less than its size waits its whole budget
// (multiplier x size + timeout + 10 ms); a full one takes its bytes' line
// time, or its whole budget with WIRE_SLOW in the tag. Writes are taken at
// once, as a driver's buffer takes them. Past the end of the input every
// read is silent.

#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/link.h"
#include "serial/serial.h"
#include "serial/sys_error.h"

constexpr std::uint8_t WIRE_DATA = 0x00;
constexpr std::uint8_t WIRE_FILL = 0x40;
constexpr std::uint8_t WIRE_SILENT = 0x80;
constexpr std::uint8_t WIRE_FAIL = 0xC0;
constexpr std::uint8_t WIRE_SLOW = 0x20;
constexpr std::size_t WIRE_HEADER_SIZE = 3;
constexpr std::array<std::int32_t, 5> WIRE_RATES = {4800, 9600, 19200, 38400, 57600};

// The header: byte 0 picks the rate (low bits) and, for connect, the
// baud-change mode (bit 7); byte 1 the rule count (0..100) of a download;
// byte 2 the write that fails, counted from 1 (0: none).
struct WireHeader {
  std::int32_t rate = 9600;
  bool baud_change = false;
  int rules = 0;
  int failing_write = 0;
};

inline void wire_check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "wire fuzz: %s\n", what);
  __builtin_trap();
}

// The longest a read of `size` bytes with `timeout_ms` may wait at `rate`.
constexpr std::uint64_t wire_read_ms(std::int32_t rate, int size, std::uint32_t timeout_ms) {
  return static_cast<std::uint64_t>(10000 / rate) * static_cast<std::uint64_t>(size) + timeout_ms +
         10;
}

// The drain ends at the first quiet read, or fails once the line has been
// busy for 2 s: its last read starts before 2 s and may wait its budget.
constexpr std::uint64_t wire_drain_ms(std::int32_t rate, int size, std::uint32_t timeout_ms) {
  return 2000 + wire_read_ms(rate, size, timeout_ms);
}

// Connect: drain (40 bytes, 100 ms), greeting (100 bytes, 20 s), reply
// (1024 bytes, 2 s). At 4800 (2 ms a byte):
//   (2000 + 40x2 + 110) + (100x2 + 20010) + (1024x2 + 2010) = 26458 ms.
constexpr std::uint64_t connect_bound_ms(std::int32_t rate) {
  return wire_drain_ms(rate, 40, 100) + wire_read_ms(rate, 100, 20000) +
         wire_read_ms(rate, 1024, 2000);
}
static_assert(connect_bound_ms(4800) == 26458);
static_assert(connect_bound_ms(57600) == 24130);

// Baud change: the prompt (1024 bytes, 20 s). At 4800: 1024x2 + 20010 = 22058 ms.
constexpr std::uint64_t baud_change_bound_ms(std::int32_t rate) {
  return wire_read_ms(rate, 1024, 20000);
}
static_assert(baud_change_bound_ms(4800) == 22058);

// Download: the drain of the reply to the command line (64 bytes, 10 ms),
// then per packet 5 transmissions, each awaiting a 1-byte reply for 5 s; the
// packets are "conf", its data, "rules", the rule data in 60-byte pieces and
// the finish. No rules at 4800:
//   (64x2 + 20) + 4 x 5 x (2 + 5010) = 148 + 100240 = 100388 ms;
// 100 rules (47 data packets) at 4800: 148 + 51 x 25060 = 1278208 ms.
constexpr std::uint64_t download_bound_ms(std::int32_t rate, int rules) {
  const int packets = 4 + (rules * 28 + 59) / 60;
  return wire_read_ms(rate, 64, 10) +
         static_cast<std::uint64_t>(packets) * 5 * wire_read_ms(rate, 1, 5000);
}
static_assert(download_bound_ms(4800, 0) == 100388);
static_assert(download_bound_ms(4800, 100) == 1278208);

// Firmware at 19200 (0 ms a byte): drain (1024 bytes, 100 ms), ENQ (20 s),
// sync reply (200 ms), identifier reply (5 s), then one 100-ms reply per
// transmission: each record once, plus at most 10 refusals (the tenth ends
// it). For 4 records:
//   (2000 + 110) + 20010 + 210 + 5010 + (4 + 10) x 110 = 28880 ms.
constexpr std::uint64_t firmware_bound_ms(int records) {
  constexpr std::int32_t rate = 19200;
  return wire_drain_ms(rate, 1024, 100) + wire_read_ms(rate, 1, 20000) +
         wire_read_ms(rate, 1, 200) + wire_read_ms(rate, 1, 5000) +
         static_cast<std::uint64_t>(records + 10) * wire_read_ms(rate, 1, 100);
}
static_assert(firmware_bound_ms(4) == 28880);

// What read_port_fatal ends a run with instead of ending the process.
struct WireFatal {};

// One run: the input, the virtual clock and what the device received.
class WireRun {
 public:
  using Us = std::chrono::microseconds;

  WireRun(const std::uint8_t* data, std::size_t size, std::string console_input = "")
      : con(std::move(console_input)), in_(data, size) {
    set_read_fatal_end([] { throw WireFatal{}; });
    const std::uint8_t rate_byte = take_byte();
    header.rate = WIRE_RATES[(rate_byte & 0x7F) % WIRE_RATES.size()];
    header.baud_change = (rate_byte & 0x80) != 0;
    header.rules = take_byte() % 101;
    header.failing_write = take_byte();
    std::strcpy(link.port_name, "COM1");
    link.env.open_device = [this](const char*) { return std::make_unique<Device>(*this); };
    link.env.now = [this] { return PortEnv::Clock::time_point(clock_); };
    link.env.wall_seconds = [this] {
      return std::chrono::duration_cast<std::chrono::seconds>(clock_).count();
    };
  }

  // Runs `command` from the clock's present, within `bound_ms`, then checks
  // the link. False when a failed read ended it: the process would end there.
  template <typename Command>
  bool run(std::uint64_t bound_ms, Command command) {
    start_ = clock_;
    bound_ = std::chrono::milliseconds(bound_ms);
    writes.clear();
    bool ended = true;
    try {
      command();
    } catch (const WireFatal&) {
      ended = false;
    }
    // KTREVA_WIRE_SHOW=1 shows what a run printed, to read a finding.
    static const bool show = std::getenv("KTREVA_WIRE_SHOW") != nullptr;
    if (show) {
      std::fprintf(stderr, "%s%s[%lld ms of %lld, %zu writes%s]\n", con.output().c_str(),
                   con.errors().c_str(), static_cast<long long>((clock_ - start_).count() / 1000),
                   static_cast<long long>(bound_.count() / 1000), writes.size(),
                   ended ? "" : ", a fatal read");
    }
    wire_check(clock_ - start_ <= bound_, "the command took longer than its bound");
    if (ended) {
      wire_check(link.connected == (link.port_handle.is_open() ? 1 : 0),
                 "link state and port disagree");
    }
    return ended;
  }

  WireHeader header;
  Console con;
  Link link{con};
  std::vector<std::string> writes;  // each write the device took, in order

 private:
  class Device final : public PortDevice {
   public:
    explicit Device(WireRun& run) : r_(run) {}
    PropsFailure get_properties(CommCaps& caps) override {
      caps = {CAPS_SP_PARITY | CAPS_SP_BAUD | CAPS_SP_DATABITS | CAPS_SP_STOPBITS, CAPS_DATABITS_8,
              CAPS_STOPBITS_10 | CAPS_PARITY_NONE, CAPS_PCF_TOTALTIMEOUTS | CAPS_PCF_INTTIMEOUTS};
      return PropsFailure::kNone;
    }
    bool get_state(PortDcb& dcb) override {
      dcb = dcb_;
      return true;
    }
    bool set_state(const PortDcb& dcb) override {
      dcb_ = dcb;
      return true;
    }
    bool set_timeouts(const PortTimeouts& timeouts) override {
      timeouts_ = timeouts;
      return true;
    }
    bool read(unsigned char* buf, int size, int& got) override {
      got = 0;
      r_.check_room(buf, size);
      return r_.answer(std::span(buf, static_cast<std::size_t>(size)), got,
                       std::chrono::milliseconds(read_budget_ms(timeouts_, size)), dcb_.baud_rate);
    }
    bool write(const void* buf, int count, int& written) override {
      written = 0;
      if (++writes_ == r_.header.failing_write) {
        set_port_error(PortError::kIo);
        return false;
      }
      r_.writes.emplace_back(static_cast<const char*>(buf), static_cast<std::size_t>(count));
      written = count;
      return true;
    }
    void purge() override {}

   private:
    WireRun& r_;
    PortDcb dcb_;
    PortTimeouts timeouts_;
    int writes_ = 0;
  };

  std::uint8_t take_byte() {
    if (in_.empty()) return 0;
    const std::uint8_t b = in_.front();
    in_ = in_.subspan(1);
    return b;
  }

  std::span<const std::uint8_t> take_bytes() {
    const std::size_t want = take_byte() + 1U;  // before in_.size(): it takes a byte
    const std::size_t n = std::min(want, in_.size());
    const std::span<const std::uint8_t> bytes = in_.first(n);
    in_ = in_.subspan(n);
    return bytes;
  }

  // A read into rx_buf stays within its RX_BUF_SIZE bytes; the byte after
  // them is the terminator's.
  void check_room(const unsigned char* buf, int size) const {
    const auto at = reinterpret_cast<std::uintptr_t>(buf);
    const auto rx = reinterpret_cast<std::uintptr_t>(link.rx_buf);
    if (at >= rx && at < rx + sizeof link.rx_buf) {
      wire_check(size >= 1 && at + static_cast<std::size_t>(size) <= rx + RX_BUF_SIZE,
                 "a read past rx_buf");
    }
  }

  // The script's present step answers one read; the clock moves on.
  bool answer(std::span<std::uint8_t> buf, int& got, std::chrono::milliseconds budget,
              std::uint32_t rate) {
    if (step_reads_ == 0) {
      step_tag_ = in_.empty() ? WIRE_SILENT : take_byte();
      const bool has_bytes = (step_tag_ & 0x80) == 0;
      step_bytes_ = has_bytes ? take_bytes() : std::span<const std::uint8_t>();
      step_reads_ = has_bytes ? (step_tag_ & 0x1F) + 1 : 1;
    }
    --step_reads_;
    const std::uint8_t kind = step_tag_ & 0xC0;
    if (kind == WIRE_FAIL) {
      set_port_error(PortError::kIo);
      return false;
    }
    const std::span<const std::uint8_t> bytes = step_bytes_;
    if (kind == WIRE_DATA) {
      got = static_cast<int>(std::min(bytes.size(), buf.size()));
      std::copy_n(bytes.begin(), got, buf.begin());
    } else if (kind == WIRE_FILL && !bytes.empty()) {
      for (std::size_t i = 0; i < buf.size(); ++i) buf[i] = bytes[i % bytes.size()];
      got = static_cast<int>(buf.size());
    }
    const bool full = static_cast<std::size_t>(got) == buf.size();
    // 10 bits a byte: the bytes cannot come faster than the line.
    const Us line{(static_cast<std::int64_t>(got) * 10'000'000 + rate - 1) / rate};
    clock_ += full && (step_tag_ & WIRE_SLOW) == 0 ? std::min<Us>(line, budget) : Us(budget);
    wire_check(clock_ - start_ <= bound_, "a read past the command's bound");
    return true;
  }

  std::span<const std::uint8_t> in_;
  std::uint8_t step_tag_ = WIRE_SILENT;
  std::span<const std::uint8_t> step_bytes_;
  int step_reads_ = 0;
  Us clock_{0};
  Us start_{0};
  Us bound_{0};
};

// The firmware file of the upload runs: a comment, a blank line and four
// records, written once to a file of this process's own.
constexpr const char* WIRE_FIRMWARE =
    "; wire fuzz firmware\n"
    ":0400000001020304F2\n"
    "\n"
    ":10001000FFFEFDFAF5F0EAE2DAD0C6BCB0A5988C96\n"
    ":020000040001F9\n"
    ":00000001FF\n";
constexpr int WIRE_FIRMWARE_RECORDS = 4;

inline const char* wire_firmware_path() {
  struct File {
    File() {
      path = (std::filesystem::temp_directory_path() /
              ("ktreva-wire-" + std::to_string(getpid()) + ".hex"))
                 .string();
      std::ofstream(path) << WIRE_FIRMWARE;
    }
    ~File() { std::remove(path.c_str()); }
    std::string path;
  };
  static const File file;
  return file.path.c_str();
}
