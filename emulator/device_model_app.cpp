// Power-on, the boot loader's ENQ window and the application's command line.
#include <cstdlib>

#include "device_model.h"
#include "emu_text.h"
#include "greeting.h"

namespace {

constexpr std::size_t COMMAND_LINE_MAX = 256;

bool is_host_line(const std::string& line) {
  return line.size() > 4 && line.compare(0, 5, "host ") == 0;
}

}  // namespace

void DeviceModel::power_on(EmuTime t) {
  ++power_ons_;
  mode_ = DeviceMode::kBootWait;
  line_.clear();
  ident_.clear();
  framer_.reset();
  hang_up_at_.reset();
  sync_tx_ = ident_tx_ = 0;
  enq_until_ = t + opt_.enq_wait;
  if (fault(FaultKind::kNoEnq) != nullptr) {
    log(t, "power-on, no ENQ");
    return;
  }
  send(t, std::string(1, static_cast<char>(DEV_ENQ)));
  log(t, "power-on, ENQ");
}

void DeviceModel::start_application(EmuTime t) {
  mode_ = DeviceMode::kApplication;
  line_.clear();
  const Fault* f = fault(FaultKind::kGreeting);
  const std::string text = f != nullptr ? greeting_text(f->greeting, f->text)
                                        : greeting_text(GreetingVariant::kStandard);
  const EmuTime end = send(t, text);
  log(t, "greeting, " + std::to_string(text.size()) + " bytes");
  if (hang_up_due(HangUpAt::kAfterGreeting)) hang_up_at_ = end;
}

void DeviceModel::app_byte(EmuTime t, std::uint8_t b) {
  if (b == DEV_ATTENTION) {
    line_.clear();
    answer_attention(t);
  } else if (b == '\r') {
    app_line(t);
  } else if (b != '\n' && line_.size() < COMMAND_LINE_MAX) {
    line_ += static_cast<char>(b);
  }
}

void DeviceModel::app_line(EmuTime t) {
  std::string line;
  line.swap(line_);
  if (line.empty()) {
    log(t, prompt_muted_ ? "CR, no prompt" : "CR, prompt");
    send_prompt(t);
  } else if (line == "download") {
    mode_ = DeviceMode::kDownload;
    skip_lf_ = true;
    framer_.reset();
    download_ = DownloadRecord{};
    due_ = 1;
    due_tx_ = 0;
    log(t, "download: receiver started");
  } else if (is_host_line(line)) {
    host_rates_.push_back(static_cast<std::uint32_t>(std::strtoul(line.c_str() + 5, nullptr, 10)));
    if (fault(FaultKind::kNoPrompt) != nullptr) prompt_muted_ = true;
    log(t, "host " + std::to_string(host_rates_.back()) + (prompt_muted_ ? ", no prompt" : ""));
    send_prompt(t);
  } else {
    log(t, "ignored line '" + visible_text(line) + "'");
  }
}

void DeviceModel::answer_attention(EmuTime t) {
  if (hang_up_due(HangUpAt::kAtAttention)) return hang_up(t);
  const Fault* f = fault(FaultKind::kConnectedRate);
  const std::uint32_t rate = f != nullptr ? f->rate : line_rate();
  send(t, "\r\nConnected " + std::to_string(rate) + "\r\n");
  log(t, "attention, Connected " + std::to_string(rate));
  send_prompt(t);
}

void DeviceModel::send_prompt(EmuTime t) {
  if (!prompt_muted_) send(t, DEV_PROMPT);
}
