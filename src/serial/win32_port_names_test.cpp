#include <gtest/gtest.h>

#include "serial/port_names.h"

namespace {

TEST(Win32PortNames, ComPortsOpenAsDevices) {
  const PortNames names;
  EXPECT_EQ(names.device_path("COM1"), "\\\\.\\COM1");
  EXPECT_EQ(names.device_path("COM10"), "\\\\.\\COM10");
}

}  // namespace
