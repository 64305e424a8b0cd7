#pragma once
// The download: the "download" command line, then the "conf" command and the
// configuration record, the "rules" command and the rule records (none when
// there are no rules), then the finish packet.

#include <cstdint>
#include <span>

#include "device/link.h"

enum class DownloadResult : int {
  kOk = 0,
  kConfCommand = -1,
  kConfData = -2,
  kRulesCommand = -3,
  kRulesData = -4,
  kFinish = -5,
  // The command line itself could not be written: the device was told
  // nothing, so nothing was downloaded and the link stays as it is.
  kCommandLine = -6,
};

DownloadResult dwn_download(Link& link, std::span<const std::uint8_t> conf_bytes,
                            std::span<const std::uint8_t> rule_bytes);
