#pragma once
// The download sequence, run right after "download\r\n" went to the device:
// the "conf" command and the configuration record, the "rules" command and
// the rule records (none when there are no rules), then the finish packet.

#include <cstdint>
#include <span>

#include "console/console.h"
#include "device/link_state.h"

// 0 on success; -1 configuration command, -2 configuration data, -3 rules
// command, -4 rules data, -5 finish packet failed.
int dwn_download(Console& con, LinkState& link, std::span<const std::uint8_t> conf_bytes,
                 std::span<const std::uint8_t> rule_bytes);
