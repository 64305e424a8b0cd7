#include "serial/traced_port_device.h"

#include <chrono>
#include <utility>

#include "console/console.h"
#include "serial/serial.h"
#include "serial/sys_error.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* parity_name(std::uint8_t parity) {
  switch (parity) {
    case DCB_NOPARITY:
      return "none";
    case DCB_ODDPARITY:
      return "odd";
    case DCB_EVENPARITY:
      return "even";
    default:
      return "other";
  }
}

// Keeps the platform's last error, as the traced call left it, through the
// trace's own writes.
class LastErrorKept {
 public:
  LastErrorKept() = default;
  ~LastErrorKept() { set_sys_error_code(code_); }
  LastErrorKept(const LastErrorKept&) = delete;
  LastErrorKept& operator=(const LastErrorKept&) = delete;

 private:
  int code_ = sys_error_code();
};

// ", failed (REASON)" after a failed call; nothing after one that worked.
std::string failure(bool ok) {
  if (ok) return {};
  return format_text(", failed (%s)", wire_reason(sys_error_text()).c_str());
}

bool any_flow(const PortDcb& dcb) {
  return dcb.outx_cts_flow || dcb.outx_dsr_flow || dcb.out_x || dcb.in_x ||
         dcb.rts_control == DCB_RTS_CONTROL_HANDSHAKE;
}

}  // namespace

std::string line_settings_text(const PortDcb& dcb) {
  return format_text("line %u baud, %u data bits, parity %s, %s stop bit%s, flow %s", dcb.baud_rate,
                     dcb.byte_size, parity_name(dcb.parity),
                     dcb.stop_bits == DCB_TWOSTOPBITS ? "2" : "1",
                     dcb.stop_bits == DCB_TWOSTOPBITS ? "s" : "", any_flow(dcb) ? "on" : "none");
}

TracedPortDevice::TracedPortDevice(std::unique_ptr<PortDevice> inner, WireTrace& trace)
    : inner_(std::move(inner)), trace_(trace) {}

TracedPortDevice::~TracedPortDevice() {
  const LastErrorKept kept;
  inner_.reset();
  trace_.event("close");
}

bool TracedPortDevice::set_state(const PortDcb& dcb) {
  const bool ok = inner_->set_state(dcb);
  const LastErrorKept kept;
  trace_.event(line_settings_text(dcb) + failure(ok));
  return ok;
}

// Each read sets its own total: the RX line states it. Only the first
// setting, the one made at open, gets a line of its own.
bool TracedPortDevice::set_timeouts(const PortTimeouts& timeouts) {
  const bool ok = inner_->set_timeouts(timeouts);
  const LastErrorKept kept;
  if (ok) timeouts_ = timeouts;
  if (!timeouts_traced_ || !ok) {
    trace_.event(
        format_text("timeouts read interval %u ms, read total %u ms a byte + %u ms, write total "
                    "%u ms a byte + %u ms",
                    timeouts.read_interval, timeouts.read_total_multiplier,
                    timeouts.read_total_constant, timeouts.write_total_multiplier,
                    timeouts.write_total_constant) +
        failure(ok));
    timeouts_traced_ = true;
  }
  return ok;
}

bool TracedPortDevice::read(unsigned char* buf, int size, int& got) {
  const Clock::time_point start = Clock::now();
  const bool ok = inner_->read(buf, size, got);
  const LastErrorKept kept;
  const double took = std::chrono::duration<double>(Clock::now() - start).count();
  std::string what =
      format_text("RX %d within %llu ms took %.6f s got %d", size,
                  static_cast<unsigned long long>(read_budget_ms(timeouts_, size)), took, got);
  what += ok ? (got < size ? ", timed out" : "") : failure(ok);
  trace_.bytes(what, buf, got);
  return ok;
}

bool TracedPortDevice::write(const void* buf, int count, int& written) {
  const bool ok = inner_->write(buf, count, written);
  const LastErrorKept kept;
  trace_.bytes(format_text("TX %d/%d", count, written) + failure(ok),
               static_cast<const std::uint8_t*>(buf), written);
  return ok;
}

void TracedPortDevice::purge() {
  inner_->purge();
  const LastErrorKept kept;
  trace_.event("purge");
}

PortOpener traced_opener(PortOpener inner, WireTrace& trace, std::string name, std::int32_t baud) {
  return [inner = std::move(inner), &trace, name = std::move(name),
          baud](const char* path) -> std::unique_ptr<PortDevice> {
    std::unique_ptr<PortDevice> device = inner(path);
    const LastErrorKept kept;
    trace.event(format_text("open %s %s %d baud", name.c_str(), path, baud) +
                (device ? ", opened" : failure(false)));
    if (!device) return nullptr;
    return std::make_unique<TracedPortDevice>(std::move(device), trace);
  };
}
