#include <gtest/gtest.h>

#include "serial/port_names.h"

namespace {

TEST(PosixPortNames, ComPortsDefaultToTheSerialDevices) {
  const PortNames names;
  EXPECT_EQ(names.device_path("COM1"), "/dev/ttyS0");
  EXPECT_EQ(names.device_path("COM10"), "/dev/ttyS9");
  // The utility names ports 1..10 only; a name beyond them is opened as it is.
  EXPECT_EQ(names.device_path("COM12"), "COM12");
}

}  // namespace
