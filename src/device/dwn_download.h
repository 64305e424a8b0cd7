#pragma once

#include <cstddef>
#include <cstdint>

#include "console/console.h"
#include "device/link_state.h"

// Sends the 56-byte configuration record and `rule_bytes` (rule_count records
// of 28 bytes) over the open link. 0 on success, -1..-5 by failing step.
int dwn_download(Console& con, LinkState& link, const std::uint8_t* conf_bytes,
                 const std::uint8_t* rule_bytes, std::size_t rule_count);
