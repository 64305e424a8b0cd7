#include "model_port.h"

#include <cerrno>
#include <span>

namespace {

// What a driver reports for a port nobody has set up yet.
PortDcb fresh_line_state() {
  PortDcb dcb;
  apply_line_settings(dcb, 9600);
  return dcb;
}

}  // namespace

std::unique_ptr<PortDevice> ModelPort::open(const std::shared_ptr<BenchCore>& core) {
  if (core->port_open) {
    errno = EBUSY;
    return nullptr;
  }
  core->port_open = true;
  core->dcb = fresh_line_state();
  core->model.open_session(core->now);
  return std::make_unique<ModelPort>(core);
}

ModelPort::~ModelPort() {
  core_->port_open = false;
  core_->model.close_session(core_->now);
}

PropsFailure ModelPort::get_properties(CommCaps& caps) {
  caps.settable_params = CAPS_SP_PARITY | CAPS_SP_BAUD | CAPS_SP_DATABITS | CAPS_SP_STOPBITS;
  caps.settable_data = CAPS_DATABITS_8;
  caps.settable_stop_parity = CAPS_STOPBITS_10 | CAPS_PARITY_NONE;
  caps.prov_capabilities = CAPS_PCF_TOTALTIMEOUTS | CAPS_PCF_INTTIMEOUTS;
  return PropsFailure::kNone;
}

bool ModelPort::get_state(PortDcb& dcb) {
  dcb = core_->dcb;
  return true;
}

bool ModelPort::set_state(const PortDcb& dcb) {
  core_->dcb = dcb;
  return true;
}

bool ModelPort::set_timeouts(const PortTimeouts& timeouts) {
  timeouts_ = timeouts;
  return true;
}

bool ModelPort::read(unsigned char* buf, int size, int& got) {
  got = 0;
  BenchCore& c = *core_;
  const EmuTime deadline = c.now + std::chrono::milliseconds(read_budget_ms(timeouts_, size));
  for (;;) {
    c.model.advance(c.now);
    const std::span<std::uint8_t> room(buf + got, static_cast<std::size_t>(size - got));
    got += static_cast<int>(c.model.take_output(c.now, room));
    if (got == size) return true;
    if (c.model.hung_up()) {
      errno = EIO;
      return false;
    }
    if (c.now >= deadline) return true;
    const std::optional<EmuTime> next = c.model.next_wake();
    c.now = next && *next > c.now && *next < deadline ? *next : deadline;
  }
}

bool ModelPort::write(const void* buf, int count, int& written) {
  written = 0;
  if (core_->model.hung_up()) {
    errno = EIO;
    return false;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(buf);
  core_->model.receive(core_->now, {bytes, static_cast<std::size_t>(count)});
  written = count;
  return true;
}

void ModelPort::purge() {
  core_->model.advance(core_->now);
  core_->model.drop_output(core_->now);
}
