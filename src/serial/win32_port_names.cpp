#include <string>

#include "serial/port_names.h"

// The \\.\ form opens every port, COM10 included.
std::string default_device_path(int number) { return "\\\\.\\COM" + std::to_string(number); }
