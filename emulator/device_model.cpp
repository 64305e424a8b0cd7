// The model's clock, its two queues and the dispatch of events in time order.
// The modes live in device_model_app.cpp, device_model_download.cpp and
// device_model_boot.cpp.
#include "device_model.h"

#include <algorithm>
#include <utility>

DeviceModel::DeviceModel(EmuOptions options)
    : opt_(std::move(options)), usb_(opt_.usb_latency), framer_(opt_.resync_gap) {}

void DeviceModel::quiet() {
  rx_.clear();
  tx_.clear();
  rx_free_ = tx_free_ = EmuTime{0};
  usb_.reset();
  power_at_.reset();
  enq_until_.reset();
  hang_up_at_.reset();
  line_.clear();
  framer_.reset();
  mode_ = DeviceMode::kOff;
}

void DeviceModel::open_session(EmuTime now) {
  quiet();
  attached_ = true;
  prompt_muted_ = false;
  ++session_;
  if (opt_.power_on.count() >= 0) power_at_ = now + opt_.power_on;
  log(now, "session " + std::to_string(session_) + ": the host opened the port");
}

void DeviceModel::close_session(EmuTime now) {
  if (!attached_) return;
  quiet();
  attached_ = false;
  log(now, "session " + std::to_string(session_) + ": ended");
}

void DeviceModel::power(EmuTime now) {
  if (hung_up()) return;
  power_at_.reset();
  power_on(now);
}

void DeviceModel::receive(EmuTime now, std::span<const std::uint8_t> bytes) {
  if (!attached_ || hung_up() || bytes.empty()) return;
  const std::uint32_t rate = opt_.pace ? line_rate() : 0;
  const EmuTime start = std::max(now, rx_free_);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    rx_.push_back({start + line_time(rate, i + 1), bytes[i]});
  }
  rx_free_ = start + line_time(rate, bytes.size());
}

std::optional<EmuTime> DeviceModel::next_event() const {
  std::optional<EmuTime> next;
  const auto consider = [&next](std::optional<EmuTime> t) {
    if (t && (!next || *t < *next)) next = t;
  };
  consider(power_at_);
  consider(enq_until_);
  consider(hang_up_at_);
  if (mode_ == DeviceMode::kDownload) consider(framer_.give_up_at());
  if (!rx_.empty()) consider(rx_.front().at);
  return next;
}

void DeviceModel::advance(EmuTime now) {
  for (auto t = next_event(); t && *t <= now; t = next_event()) run_event(*t);
}

void DeviceModel::run_event(EmuTime t) {
  if (hang_up_at_ && *hang_up_at_ <= t) return hang_up(*hang_up_at_);
  if (power_at_ && *power_at_ <= t) {
    power_at_.reset();
    return power_on(t);
  }
  if (enq_until_ && *enq_until_ <= t) {
    enq_until_.reset();
    return start_application(t);
  }
  const auto give_up = framer_.give_up_at();
  if (mode_ == DeviceMode::kDownload && give_up && *give_up <= t) {
    return download_frame(t, framer_.take());
  }
  const TimedByte in = rx_.front();
  rx_.pop_front();
  received_.push_back(in.byte);
  on_byte(in.at, in.byte);
}

void DeviceModel::on_byte(EmuTime t, std::uint8_t b) {
  switch (mode_) {
    case DeviceMode::kApplication:
      return app_byte(t, b);
    case DeviceMode::kDownload:
      return download_byte(t, b);
    case DeviceMode::kBootWait:
    case DeviceMode::kBootIdent:
    case DeviceMode::kBootRecords:
      return boot_byte(t, b);
    case DeviceMode::kOff:
    case DeviceMode::kHungUp:
      return;
  }
}

std::optional<EmuTime> DeviceModel::next_wake() const {
  std::optional<EmuTime> next = next_event();
  if (!tx_.empty() && (!next || tx_.front().at < *next)) next = tx_.front().at;
  return next;
}

std::size_t DeviceModel::take_output(EmuTime now, std::span<std::uint8_t> out) {
  std::size_t n = 0;
  while (n < out.size() && !tx_.empty() && tx_.front().at <= now) {
    out[n++] = tx_.front().byte;
    tx_.pop_front();
  }
  return n;
}

void DeviceModel::drop_output(EmuTime now) {
  while (!tx_.empty() && tx_.front().at <= now) tx_.pop_front();
}

EmuTime DeviceModel::send(EmuTime t, std::string_view bytes) {
  const std::uint32_t rate = opt_.pace ? line_rate() : 0;
  const EmuTime turnaround = rate != 0 ? EmuTime{opt_.turnaround} : EmuTime{0};
  const EmuTime start = std::max(t + turnaround, tx_free_);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    // Each byte reaches the host when the adapter passes it on; a packet
    // that fills up takes the bytes before it along.
    const UsbDelivery d = usb_.admit(start + line_time(rate, i + 1));
    for (std::size_t k = 1; k <= d.earlier && k <= tx_.size(); ++k) tx_[tx_.size() - k].at = d.at;
    tx_.push_back({d.at, static_cast<std::uint8_t>(bytes[i])});
  }
  if (!bytes.empty()) tx_free_ = start + line_time(rate, bytes.size());
  return bytes.empty() ? t : tx_free_;
}

void DeviceModel::send_reply(EmuTime t, Reply reply) {
  if (reply) send(t, std::string(1, static_cast<char>(*reply)));
}

const Fault* DeviceModel::fault(FaultKind kind, int index) const {
  return find_fault(opt_.faults, kind, session_, index);
}

bool DeviceModel::hang_up_due(HangUpAt at, int index) const {
  return ::hang_up_due(opt_.faults, at, session_, index);
}

Reply DeviceModel::scripted(FaultKind kind, int index, int transmission, Reply normal) const {
  const Fault* f = fault(kind, index);
  if (f == nullptr || transmission >= static_cast<int>(f->replies.size())) return normal;
  return f->replies[static_cast<std::size_t>(transmission)];
}

// Whatever left the device before the line went dead still reaches the host.
void DeviceModel::hang_up(EmuTime t) {
  while (!tx_.empty() && tx_.back().at > t) tx_.pop_back();
  rx_.clear();
  usb_.reset();
  power_at_.reset();
  enq_until_.reset();
  hang_up_at_.reset();
  mode_ = DeviceMode::kHungUp;
  log(t, "hang-up");
}

void DeviceModel::log(EmuTime t, const std::string& text) const {
  if (log_) log_(t, text);
}
