#include "port_list/com_port_details.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "port_list/port_list_text.h"

namespace {

// The two sources as a PC with an FTDI cable, a CP210x bridge, a built-in
// port and a printer port gives them: the device map, the DOS names (which
// repeat it), and SetupAPI's Ports class.
TEST(ComPortDetails, MergesTheMapsWithWhatSetupApiKnows) {
  const std::vector<ComPortName> names = {
      {"COM10", "\\Device\\Silabser0"}, {"COM3", "\\Device\\VCP0"},
      {"COM1", "\\Device\\Serial0"},    {"COM3", ""},
      {"com1", "\\Device\\Serial0"},    {"COMX", ""},
      {"LPT1", "\\Device\\Parallel0"}};
  const std::vector<SetupApiPort> devices = {
      {"COM3", "USB Serial Port (COM3)", "FTDIBUS\\COMPORT&VID_0403&PID_6001", "FTSER2K", "FTDI"},
      {"COM10", "Silicon Labs CP210x USB to UART Bridge (COM10)", "USB\\VID_10C4&PID_EA60&REV_0100",
       "silabser", "Silicon Labs"},
      {"COM1", "Communications Port (COM1)", "ACPI\\PNP0501", "Serial", "(Standard port types)"},
      {"LPT1", "Printer Port (LPT1)", "ACPI\\PNP0400", "Parport", "(Standard port types)"},
      // Present, but in neither map (the map is written when a driver starts).
      {"COM4", "Standard Serial over Bluetooth link (COM4)", "BTHENUM\\{00001101}", "BTHMODEM",
       "Microsoft"},
      {"", "Unnamed", "ROOT\\PORTS\\0000", "", ""}};
  const PortListing listing{PortNaming::kComNumber, merge_com_ports(names, devices), ""};
  EXPECT_EQ(port_list_text(listing),
            "COM1: \"Communications Port (COM1)\", Serial, \"(Standard port types)\", "
            "ACPI\\PNP0501, \\Device\\Serial0\n"
            "COM3: \"USB Serial Port (COM3)\", FTSER2K, USB 0403:6001, \"FTDI\", "
            "FTDIBUS\\COMPORT&VID_0403&PID_6001, \\Device\\VCP0\n"
            "COM4: \"Standard Serial over Bluetooth link (COM4)\", BTHMODEM, \"Microsoft\", "
            "BTHENUM\\{00001101}\n"
            "COM10: \"Silicon Labs CP210x USB to UART Bridge (COM10)\", silabser, USB 10c4:ea60, "
            "\"Silicon Labs\", USB\\VID_10C4&PID_EA60&REV_0100, \\Device\\Silabser0\n"
            "To use a port, type connect N at the Command> prompt for COMN.\n");
}

// Under Wine SetupAPI has nothing to say: the names alone.
TEST(ComPortDetails, NamesWithoutDevices) {
  const auto ports = merge_com_ports({{"COM5", "\\Device\\Serial4"}, {"COM1", ""}}, {});
  ASSERT_EQ(ports.size(), 2u);
  EXPECT_EQ(port_line(ports[0], PortNaming::kComNumber, 1), "COM1\n");
  EXPECT_EQ(port_line(ports[1], PortNaming::kComNumber, 2), "COM5: \\Device\\Serial4\n");
  EXPECT_TRUE(merge_com_ports({}, {}).empty());
}

TEST(ComPortDetails, UsbIdsOfAHardwareId) {
  const struct {
    const char* id;
    bool found;
    std::uint16_t vid;
    std::uint16_t pid;
  } cases[] = {
      {"USB\\VID_10C4&PID_EA60&REV_0100", true, 0x10C4, 0xEA60},
      {"FTDIBUS\\COMPORT&VID_0403&PID_6001", true, 0x0403, 0x6001},
      {"usb\\vid_1a86&pid_7523", true, 0x1A86, 0x7523},
      {"USB\\VID_067B&PID_2303&REV_0300&MI_00", true, 0x067B, 0x2303},
      {"ACPI\\PNP0501", false, 0, 0},
      {"USB\\VID_10C4", false, 0, 0},
      {"USB\\VID_10G4&PID_EA60", false, 0, 0},
      {"USB\\VID_10C4&PID_EA", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const auto& c : cases) {
    std::uint16_t vid = 0;
    std::uint16_t pid = 0;
    EXPECT_EQ(usb_ids_of(c.id, vid, pid), c.found) << c.id;
    EXPECT_EQ(vid, c.vid) << c.id;
    EXPECT_EQ(pid, c.pid) << c.id;
  }
}

}  // namespace
