#include "device/link_state.h"

void link_close(LinkState& link) {
  link.port_handle.close();
  link.connected = 0;
}
