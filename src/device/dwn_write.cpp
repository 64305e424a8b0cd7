#include "device/dwn_write.h"

#include <algorithm>
#include <array>

#include "device/dwn_packet.h"
#include "device/protocol_bytes.h"

namespace {

constexpr int PKT_TRANSMISSIONS = 5;
constexpr std::uint32_t REPLY_TIMEOUT_MS = 5000;

}  // namespace

int dwn_write_pkt(Link& link, std::span<std::uint8_t> pkt) {
  Console& con = link.con();
  if (pkt.data() == nullptr) {
    con.print("dwn_write_pkt: argument ptr pp is null\n");
    return DWN_PKT_NULL;
  }
  if (pkt.size() < PKT_MIN_SIZE) {
    con.print("dwn_write_pkt: argument len < 5\n");
    return DWN_PKT_TOO_SHORT;
  }
  seal_packet(pkt);  // once: a resend repeats the same bytes
  for (int budget = PKT_TRANSMISSIONS; budget > 0; --budget) {
    if (link.write(pkt) < 0) {
      con.print("\a\aError: writing pkt\n");
      return DWN_PKT_WRITE;
    }
    std::array<std::uint8_t, 1> reply{};
    const int got = link.read(reply, REPLY_TIMEOUT_MS);
    if (got != 1) {
      con.print("\a\aError: reading ack or nak: %d\n", got);
      return DWN_PKT_NO_REPLY;
    }
    if (reply[0] == PROTO_ACK) return static_cast<int>(pkt.size());
    if (reply[0] != PROTO_NAK) {
      con.print("\a\aError: reading ack or nak: got 0x%02x\n", reply[0]);
      return DWN_PKT_BAD_REPLY;
    }
  }
  return DWN_PKT_ALL_NAKED;
}

int dwn_write_file(Link& link, std::span<const std::uint8_t> data) {
  Console& con = link.con();
  if (data.data() == nullptr) {
    con.print("dwn_write_file: argument ptr bp is null\n");
    return DWN_FILE_NULL;
  }
  if (data.empty()) {
    con.print("dwn_write_file: argument len < 1\n");
    return DWN_FILE_EMPTY;
  }
  std::array<std::uint8_t, DATA_PKT_MAX> pkt{};
  for (std::size_t at = 0; at < data.size();) {
    const std::size_t chunk = std::min(DATA_CHUNK_MAX, data.size() - at);
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at), chunk, pkt.begin() + 2);
    const int rc = dwn_write_pkt(link, std::span(pkt).first(chunk + 4));
    if (rc != static_cast<int>(chunk + 4)) {
      con.print("\a\aError: writing data pkt: %d\n", rc);
      return DWN_FILE_PACKET;
    }
    at += chunk;
  }
  return static_cast<int>(data.size());
}
