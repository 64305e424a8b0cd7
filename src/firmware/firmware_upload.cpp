#include "firmware/firmware_upload.h"

#include <string>

#include "device/protocol_bytes.h"
#include "firmware/firmware_progress.h"
#include "firmware/hex_lines.h"

namespace {

constexpr std::uint32_t REPLY_TIMEOUT_MS = 100;

struct Counters {
  std::uint32_t sent = 0;
  std::uint16_t errors = 0;
};

// The message for a refusal, and whether the line is sent again.
struct Refusal {
  const char* format;
  FirmwareResult result;  // kOk: resend
};

Refusal refusal_for(std::uint8_t reply) {
  switch (reply) {
    case 0x00:  // no reply: rx_buf[0] keeps the 0 set before the read
      return {"\n\a\aError: Firmware updating error: timed out on Line %lu, resending.\n",
              FirmwareResult::kOk};
    case PROTO_DC1:
      return {
          "\n\a\aError: Firmware updating error: didn't get start character on Line %lu, "
          "resending.\n",
          FirmwareResult::kOk};
    case PROTO_DC2:
      return {"\n\a\aError: Firmware updating error: bad record checksum on Line %lu, resending.\n",
              FirmwareResult::kOk};
    case PROTO_NAK:
      return {"\n\a\aError: Firmware updating error: validation on Line %lu, resending.\n",
              FirmwareResult::kOk};
    case PROTO_ETB:
      return {"\n\a\aError: Firmware updating error: buffer full on Line %lu- aborting!\n",
              FirmwareResult::kBufferFull};
    case PROTO_CAN:
      return {"\n\a\aError: Firmware updating error: fatal on Line %lu- aborting!\n",
              FirmwareResult::kFatalRefusal};
    default:
      return {"\n\a\aError: Firmware updating error: unknown on Line %lu, resending.\n",
              FirmwareResult::kOk};
  }
}

// Sends one record line until it is acknowledged. kOk when it was, else the
// upload's result.
FirmwareResult send_record(Link& link, const std::string& bytes, unsigned long line,
                           Counters& counters) {
  Console& con = link.con();
  for (;;) {
    if (link.write_text(bytes) < 0) {
      con.print("\a\aError: wrote FIRMSYNC attention character, got error on port %s\n",
                link.port_name);
      return FirmwareResult::kRecordNotWritten;
    }
    link.rx_buf[0] = 0;
    link.read(link.rx().first(1), REPLY_TIMEOUT_MS);
    const std::uint8_t reply = link.rx_buf[0];
    if (reply == PROTO_ACK) return FirmwareResult::kOk;
    if (++counters.errors >= FW_MAX_ERRORS) {
      con.print("\n\a\aError: maximum Firmware updating errors (%d) encountered- aborting!\n",
                FW_MAX_ERRORS);
      return FirmwareResult::kTooManyErrors;
    }
    const Refusal refusal = refusal_for(reply);
    con.print(refusal.format, line);
    if (refusal.result != FirmwareResult::kOk) return refusal.result;
  }
}

}  // namespace

void firmware_progress(Link& link, const UploadProgress& progress, int newline_first,
                       std::uint32_t done) {
  if (newline_first != 0) link.con().print("\n");
  const std::int64_t elapsed = link.wall_seconds() - progress.start_seconds;
  link.con().put(firmware_progress_text(elapsed, done, progress.total));
}

FirmwareResult firmware_upload(Link& link, std::FILE* file, std::uint32_t total) {
  HexLineReader lines(file);
  const UploadProgress progress{link.wall_seconds(), total};
  Counters counters;
  for (;;) {
    const HexRead read = lines.next();
    if (read == HexRead::kEnd) break;
    if (read == HexRead::kError) {
      link.con().print("\a\aError: cannot read Firmware file!\n");
      return FirmwareResult::kUnreadable;
    }
    if (!lines.is_record()) continue;
    std::string bytes(lines.text(), lines.length());
    bytes += static_cast<char>(PROTO_CR);
    const FirmwareResult rc = send_record(link, bytes, lines.number(), counters);
    if (rc != FirmwareResult::kOk) return rc;
    ++counters.sent;
    firmware_progress(link, progress, 0, counters.sent);
  }
  link.con().print("\n");
  return FirmwareResult::kOk;
}
