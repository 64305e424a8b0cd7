#pragma once
// Small texts for the session log and the dump.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "emu_faults.h"
#include "emu_time.h"

// The text with control and non-ASCII bytes as \r, \n or \xNN.
std::string visible_text(std::string_view text);
// "ACK", "NAK", "silence" or "0xNN".
std::string reply_text(Reply reply);
// Bytes as two-digit hex numbers separated by blanks.
std::string hex_bytes(std::span<const std::uint8_t> bytes);
// One session log line: seconds of model time, then the event.
std::string log_line(EmuTime t, const std::string& event);
