// PLACEHOLDER until the download protocol lands: it sends nothing and fails.
#include "device/dwn_download.h"

int dwn_download(Console& con, LinkState&, const std::uint8_t*, const std::uint8_t*, std::size_t) {
  con.print("\a\aError: the download is not available in this build\n");
  return -1;
}
