#include "serial/port_names.h"

#include <gtest/gtest.h>

namespace {

class PortNames : public testing::Test {
 protected:
  void SetUp() override { port_names_clear(); }
  void TearDown() override { port_names_clear(); }
};

TEST_F(PortNames, OtherNamesAreUsedAsTheyAre) {
  for (const char* name : {"/dev/pts/3", "COM0", "COM", "com1", "COM1x", "COM-1", "COM01"}) {
    EXPECT_EQ(port_device_path(name), name);
  }
}

TEST_F(PortNames, AMappingReplacesTheDefaultOfItsPortOnly) {
  ASSERT_TRUE(port_names_map("3=/dev/ttyUSB0"));
  ASSERT_TRUE(port_names_map("10=/tmp/emu=pty"));
  EXPECT_EQ(port_device_path("COM3"), "/dev/ttyUSB0");
  EXPECT_EQ(port_device_path("COM10"), "/tmp/emu=pty");
  EXPECT_EQ(port_device_path("COM4"), default_device_path(4));
  ASSERT_TRUE(port_names_map("3=/dev/ttyACM1"));
  EXPECT_EQ(port_device_path("COM3"), "/dev/ttyACM1");
}

TEST_F(PortNames, BadMappingsAreRefusedAndChangeNothing) {
  for (const char* bad : {"", "=x", "0=/x", "11=/x", "1=", "x=/y", "01=/x", "1", "-1=/x", "+1=/x",
                          " 1=/x", "1 =/x", "99999999999=/x"}) {
    EXPECT_FALSE(port_names_map(bad)) << '"' << bad << '"';
  }
  EXPECT_EQ(port_device_path("COM1"), default_device_path(1));
}

}  // namespace
