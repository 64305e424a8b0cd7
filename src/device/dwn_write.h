#pragma once
// Sending packets stop-and-wait: each packet waits up to 5 s for its reply
// byte; a NAK sends the same bytes again at once, up to 5 transmissions.

#include <cstdint>
#include <span>

#include "device/link.h"

// Fills in the length and CRC of `pkt` (payload at bytes 2..len-3) and sends
// it until ACKed. Its length on success; -1 no packet, -2 shorter than 5
// bytes, -3 the write failed, -4 no reply, -5 a reply that is neither ACK nor
// NAK, -6 the fifth transmission NAKed too.
int dwn_write_pkt(Link& link, std::span<std::uint8_t> pkt);

// Sends `data` in data packets of at most 60 bytes. The byte count on
// success; -1 no data, -2 a count of 0, -3 a packet failed.
int dwn_write_file(Link& link, std::span<const std::uint8_t> data);
