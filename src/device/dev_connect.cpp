// PLACEHOLDER until the connect handshake lands: it refuses honestly.
#include "device/dev_connect.h"

int dev_connect(Console& con, LinkState& link, std::int32_t rate, int mode) {
  con.print("Connecting at %ld...\n", static_cast<long>(rate));
  if (mode == DEV_MODE_CONNECT) {
    con.print("\a\aError: the connect handshake is not available in this build\n");
    return 2;
  }
  link_close(link);
  return 8;
}
