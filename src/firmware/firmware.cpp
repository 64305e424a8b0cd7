// PLACEHOLDER until the firmware upload lands: it refuses honestly.
#include "firmware/firmware.h"

int firmware(Console& con, LinkState&, int, const char* file_name) {
  if (file_name == nullptr) {
    con.print("firmware: Error: param filename is invalid\n");
    return -1;
  }
  con.print("\a\aError: the firmware upload is not available in this build\n");
  return -1;
}
