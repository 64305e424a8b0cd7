#pragma once
// Sending packets stop-and-wait: each packet waits up to 5 s for its reply
// byte; a NAK sends the same bytes again at once, up to 5 transmissions.

#include <cstdint>
#include <span>

#include "device/link.h"

// The failures of dwn_write_pkt; on success it gives the packet's length.
enum DwnWritePktFailure : int {
  DWN_PKT_NULL = -1,
  DWN_PKT_TOO_SHORT = -2,  // shorter than 5 bytes
  DWN_PKT_WRITE = -3,      // the write failed
  DWN_PKT_NO_REPLY = -4,
  DWN_PKT_BAD_REPLY = -5,  // a reply that is neither ACK nor NAK
  DWN_PKT_ALL_NAKED = -6,  // the fifth transmission NAKed too
};

// Fills in the length and CRC of `pkt` (payload at bytes 2..len-3) and sends
// it until ACKed: its length, or a DwnWritePktFailure after its message.
int dwn_write_pkt(Link& link, std::span<std::uint8_t> pkt);

// The failures of dwn_write_file; on success it gives the byte count.
enum DwnWriteFileFailure : int {
  DWN_FILE_NULL = -1,
  DWN_FILE_EMPTY = -2,
  DWN_FILE_PACKET = -3,  // a data packet failed
};

// Sends `data` in data packets of at most 60 bytes: the byte count, or a
// DwnWriteFileFailure after its message.
int dwn_write_file(Link& link, std::span<const std::uint8_t> data);
