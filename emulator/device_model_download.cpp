// The download receiver: one reply byte per frame, the data sorted by command.
#include "device_model.h"
#include "emu_text.h"

namespace {

std::string verdict(const ReceivedPacket& p) {
  if (packet_length(p.bytes) != static_cast<int>(p.bytes.size()) || p.bytes.size() < PACKET_MIN) {
    return "garbled";
  }
  return p.crc_ok ? "crc ok" : "crc bad";
}

}  // namespace

void DeviceModel::download_byte(EmuTime t, std::uint8_t b) {
  // The LF of "download\r\n" arrives after the receiver has started.
  if (skip_lf_) {
    skip_lf_ = false;
    if (b == '\n') return;
  }
  if (framer_.feed(t, b)) download_frame(t, framer_.take());
}

void DeviceModel::download_frame(EmuTime t, std::vector<std::uint8_t> frame) {
  const int k = due_;
  ReceivedPacket p;
  p.crc_ok = packet_checks(frame);
  p.bytes = std::move(frame);
  std::string head = "packet " + std::to_string(k) + ": length " + std::to_string(p.bytes.size()) +
                     ", " + verdict(p);
  if (hang_up_due(HangUpAt::kAtPacket, k)) {
    download_.packets.push_back(p);
    log(t, head);
    return hang_up(t);
  }
  p.reply = scripted(FaultKind::kPacketReplies, k, due_tx_++, p.crc_ok ? DEV_ACK : DEV_NAK);
  download_.packets.push_back(p);
  send_reply(t, p.reply);
  head += ", " + reply_text(p.reply);
  if (p.reply != Reply{DEV_ACK}) return log(t, head);
  ++due_;
  due_tx_ = 0;
  if (!p.crc_ok) return log(t, head);
  log(t, head + " (" + download_.accept(p.bytes) + ")");
  if (!download_.finished) return;
  mode_ = DeviceMode::kApplication;
  log(t, "download finished");
  if (on_end_) on_end_(TransferKind::kDownload);
}
