#include <string>

#include "serial/port_names.h"

std::string default_device_path(int number) { return "/dev/ttyS" + std::to_string(number - 1); }
