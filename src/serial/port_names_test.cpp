#include "serial/port_names.h"

#include <gtest/gtest.h>

namespace {

// One reading in three forms: the operator's word takes a leading number or
// "com" and a number; the whole-text forms take only the utility's spelling.
TEST(PortNumbers, EachFormReadsOneRule) {
  struct Row {
    const char* text;
    int word, number, name;
  };
  const Row rows[] = {
      {"3", 3, 3, 0},       {"10", 10, 10, 0},
      {"3x", 3, 0, 0},      {"com3", 3, 0, 0},
      {"COM3", 3, 0, 3},    {"Com3", 3, 0, 0},
      {"COM10", 10, 0, 10}, {"-2", 0, 0, 0},
      {"0", 0, 0, 0},       {"11", 0, 0, 0},
      {"com", 0, 0, 0},     {"co", 0, 0, 0},
      {"port3", 0, 0, 0},   {"com11", 0, 0, 0},
      {"COM11", 0, 0, 0},   {"COM12", 0, 0, 0},
      {"03", 3, 0, 0},      {"+3", 3, 0, 0},
      {" 3", 3, 0, 0},      {"COM03", 3, 0, 0},
      {"COM3x", 3, 0, 0},   {"COM 3", 3, 0, 0},
      {"com-3", 0, 0, 0},   {"0x3", 0, 0, 0},
      {"", 0, 0, 0},        {"99999999999999999999", 0, 0, 0},
      {"COM0", 0, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(parse_port_number(r.text), r.word);
    EXPECT_EQ(parse_port_number(r.text, PortText::kNumber), r.number);
    EXPECT_EQ(parse_port_number(r.text, PortText::kName), r.name);
  }
}

TEST(PortNames, OtherNamesAreUsedAsTheyAre) {
  const PortNames names;
  for (const char* name :
       {"/dev/pts/3", "COM0", "COM", "com1", "COM1x", "COM-1", "COM01", "COM11", "3"}) {
    EXPECT_EQ(names.device_path(name), name);
  }
}

TEST(PortNames, AMappingReplacesTheDefaultOfItsPortOnly) {
  PortNames names;
  ASSERT_TRUE(names.map("3=/dev/ttyUSB0"));
  ASSERT_TRUE(names.map("10=/tmp/emu=pty"));
  EXPECT_EQ(names.device_path("COM3"), "/dev/ttyUSB0");
  EXPECT_EQ(names.device_path("COM10"), "/tmp/emu=pty");
  EXPECT_EQ(names.device_path("COM4"), default_device_path(4));
  ASSERT_TRUE(names.map("3=/dev/ttyACM1"));
  EXPECT_EQ(names.device_path("COM3"), "/dev/ttyACM1");
}

TEST(PortNames, BadMappingsAreRefusedAndChangeNothing) {
  PortNames names;
  for (const char* bad : {"", "=x", "0=/x", "11=/x", "1=", "x=/y", "01=/x", "1", "-1=/x", "+1=/x",
                          " 1=/x", "1 =/x", "99999999999=/x", "3x=/x", "com3=/x", "COM3=/x"}) {
    EXPECT_FALSE(names.map(bad)) << '"' << bad << '"';
  }
  EXPECT_EQ(names.device_path("COM1"), default_device_path(1));
}

}  // namespace
