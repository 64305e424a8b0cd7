#include <gtest/gtest.h>

#include "serial/port_names.h"

namespace {

TEST(Win32PortNames, ComPortsOpenAsDevices) {
  port_names_clear();
  EXPECT_EQ(port_device_path("COM1"), "\\\\.\\COM1");
  EXPECT_EQ(port_device_path("COM10"), "\\\\.\\COM10");
}

}  // namespace
