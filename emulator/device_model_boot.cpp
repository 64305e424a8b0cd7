// The boot loader after its ENQ: SYN, the identifier, then record lines.
#include "device_model.h"
#include "emu_text.h"

namespace {

// Longer than any record (267 characters); the rest of a longer line is lost
// and the line is refused at its CR.
constexpr std::size_t RECORD_LINE_MAX = 600;
constexpr std::size_t IDENT_LEN = sizeof BOOT_IDENTIFIER - 1;

}  // namespace

void DeviceModel::boot_byte(EmuTime t, std::uint8_t b) {
  if (mode_ == DeviceMode::kBootWait) {
    if (b == DEV_SYN) answer_sync(t);
  } else if (mode_ == DeviceMode::kBootIdent) {
    ident_ += static_cast<char>(b);
    if (ident_.size() == IDENT_LEN) answer_ident(t);
  } else if (b == '\r') {
    record_line(t);
  } else if ((b != '\n' || !line_.empty()) && line_.size() < RECORD_LINE_MAX) {
    line_ += static_cast<char>(b);
  }
}

void DeviceModel::answer_sync(EmuTime t) {
  enq_until_.reset();
  upload_ = UploadRecord{};
  upload_.synced = true;
  ident_.clear();
  mode_ = DeviceMode::kBootIdent;
  if (hang_up_due(HangUpAt::kAtSync)) {
    log(t, "SYN");
    return hang_up(t);
  }
  const Reply reply = scripted(FaultKind::kSyncReplies, 0, sync_tx_++, DEV_ACK);
  send_reply(t, reply);
  log(t, "SYN, " + reply_text(reply));
}

void DeviceModel::answer_ident(EmuTime t) {
  upload_.identifier = std::move(ident_);
  ident_.clear();
  const std::string head = "identifier '" + visible_text(upload_.identifier) + "'";
  if (hang_up_due(HangUpAt::kAtIdent)) {
    log(t, head);
    return hang_up(t);
  }
  const bool match = upload_.identifier == BOOT_IDENTIFIER;
  const Reply reply = scripted(FaultKind::kIdentReplies, 0, ident_tx_++, match ? DEV_ACK : DEV_NAK);
  send_reply(t, reply);
  log(t, head + ", " + reply_text(reply));
  if (!match) return;
  upload_.identified = true;
  mode_ = DeviceMode::kBootRecords;
  line_.clear();
  due_ = 1;
  due_tx_ = 0;
}

void DeviceModel::record_line(EmuTime t) {
  std::string line;
  line.swap(line_);
  const int k = due_;
  const std::string head = "record " + std::to_string(k) + ": '" + visible_text(line) + "'";
  if (hang_up_due(HangUpAt::kAtRecord, k)) {
    upload_.lines.push_back({line, SILENCE});
    log(t, head);
    return hang_up(t);
  }
  const std::uint8_t verdict = hex_record_check(line);
  const Reply reply = scripted(FaultKind::kRecordReplies, k, due_tx_++, verdict);
  upload_.lines.push_back({line, reply});
  send_reply(t, reply);
  log(t, head + ", " + reply_text(reply));
  if (reply != Reply{DEV_ACK}) return;
  ++due_;
  due_tx_ = 0;
  if (verdict == BOOT_ACK) accept_record(t, line);
}

void DeviceModel::accept_record(EmuTime t, const std::string& line) {
  if (upload_.image.apply(hex_record_bytes(line)) != HEX_EOF) return;
  upload_.finished = true;
  log(t, "upload finished, " + std::to_string(upload_.image.bytes().size()) + " bytes");
  if (on_end_) on_end_(TransferKind::kUpload);
  start_application(t);
}
