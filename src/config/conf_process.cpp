// PLACEHOLDER until the configuration compiler lands.
#include "config/conf_process.h"

int conf_process(Console& con, ConfigState&, const char* path) {
  if (path == nullptr) {
    con.print("conf_process: Error: param rfp is invalid\n");
    return -1;
  }
  con.print("\a\aError: cannot open %s\n", path);
  return -2;
}
