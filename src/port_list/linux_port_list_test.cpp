#include "port_list/linux_port_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "port_list/port_list_text.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

// A sysfs and a /dev tree as the kernel and udev lay them out, in a scratch
// folder: sys/ and dev/.
class FakeSysfs : public testing::Test {
 protected:
  void file(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(root_ / path).parent_path());
    std::ofstream(root_ / path, std::ios::binary) << text;
  }
  void link(const std::string& path, const std::string& target) {
    fs::create_directories(fs::path(root_ / path).parent_path());
    fs::create_directory_symlink(target, root_ / path);
  }
  void driver(const std::string& device, const std::string& bus, const std::string& name) {
    fs::create_directories(root_ / "sys/bus" / bus / "drivers" / name);
    link(device + "/driver", (root_ / "sys/bus" / bus / "drivers" / name).string());
  }
  // A USB device with its interface 1-N:1.0; strings left empty are absent.
  std::string usb(const std::string& port, const std::string& ids, const std::string& maker,
                  const std::string& product, const std::string& serial) {
    const std::string dev = "sys/devices/pci0000:00/0000:00:14.0/usb1/" + port;
    file(dev + "/idVendor", ids.substr(0, 4) + "\n");
    file(dev + "/idProduct", ids.substr(5) + "\n");
    if (!maker.empty()) file(dev + "/manufacturer", maker + "\n");
    if (!product.empty()) file(dev + "/product", product + "\n");
    if (!serial.empty()) file(dev + "/serial", serial + "\n");
    return dev + "/" + port + ":1.0";
  }
  // /sys/class/tty/NAME, with its device link where `device` is given.
  void tty(const std::string& name, const std::string& device) {
    file("sys/class/tty/" + name + "/dev", "4:64\n");
    if (!device.empty()) link("sys/class/tty/" + name + "/device", (root_ / device).string());
  }
  void by_id(const std::string& name, const std::string& tty) {
    link("dev/serial/by-id/" + name, "../../" + tty);
  }
  PortListing list() { return list_linux_ports({root_ / "sys", root_ / "dev"}); }
  std::string dev(const std::string& name) const { return (root_ / "dev" / name).string(); }

  ScratchDir dir_;
  fs::path root_ = dir_.path();
};

TEST_F(FakeSysfs, ListsTheSerialPortsWithWhatTheyAre) {
  const std::string ftdi = usb("1-1", "0403:6001", "FTDI", "FT232R USB UART", "A50285BI");
  driver(ftdi, "usb", "ftdi_sio");
  driver(ftdi + "/ttyUSB0", "usb-serial", "ftdi_sio");
  tty("ttyUSB0", ftdi + "/ttyUSB0");
  by_id("usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB0");
  const std::string cp210x =
      usb("1-2", "10c4:ea60", "Silicon Labs", "CP2102 USB to UART Bridge Controller", "");
  driver(cp210x + "/ttyUSB1", "usb-serial", "cp210x");
  tty("ttyUSB1", cp210x + "/ttyUSB1");
  const std::string acm = usb("1-10", "2341:0043", "Arduino (www.arduino.cc)", "", "7583033");
  driver(acm, "usb", "cdc_acm");
  tty("ttyACM0", acm);
  by_id("usb-Arduino__www.arduino.cc__7583033-if00", "ttyACM0");
  // A UART behind the serial core's port and controller devices (Linux 6.5 on).
  const std::string uart = "sys/devices/pnp0/00:05";
  driver(uart, "pnp", "serial");
  driver(uart + "/00:05:0", "serial-base", "ctrl");
  driver(uart + "/00:05:0/00:05:0.0", "serial-base", "port");
  tty("ttyS0", uart + "/00:05:0/00:05:0.0");
  file("sys/class/tty/ttyS0/type", "4\n");
  // A line the serial core registered with no UART behind it.
  driver("sys/devices/platform/serial8250", "platform", "serial8250");
  tty("ttyS1", "sys/devices/platform/serial8250");
  file("sys/class/tty/ttyS1/type", "0\n");
  // Virtual consoles and pseudo-terminals: no device, or a virtual one.
  for (const char* name : {"tty", "tty0", "tty1", "console", "ptmx", "ptyp0", "ttyp0"}) {
    tty(name, "");
  }
  fs::create_directories(root_ / "sys/devices/virtual/tty/ttyprintk");
  tty("ttyprintk", "sys/devices/virtual/tty/ttyprintk");

  const PortListing listing = list();
  EXPECT_EQ(listing.problem, "");
  EXPECT_EQ(port_list_text(listing),
            dev("ttyACM0") + " (--com 1=" + dev("ttyACM0") +
                "): cdc_acm, USB 2341:0043, \"Arduino (www.arduino.cc)\", serial \"7583033\", " +
                dev("serial/by-id/usb-Arduino__www.arduino.cc__7583033-if00") + "\n" +
                dev("ttyS0") + " (--com 2=" + dev("ttyS0") + "): serial, 16550A UART\n" +
                dev("ttyUSB0") + " (--com 3=" + dev("ttyUSB0") +
                "): ftdi_sio, USB 0403:6001, \"FTDI\", \"FT232R USB UART\", serial \"A50285BI\", " +
                dev("serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0") + "\n" +
                dev("ttyUSB1") + " (--com 4=" + dev("ttyUSB1") +
                "): cp210x, USB 10c4:ea60, \"Silicon Labs\", \"CP2102 USB to UART Bridge "
                "Controller\"\n"
                "To use a port, start ktreva-host with its --com N=PATH (a /dev/serial/by-id path "
                "survives a replug) and type connect N at the Command> prompt.\n");
}

TEST_F(FakeSysfs, NoSerialPortsIsAnEmptyList) {
  for (const char* name : {"tty0", "console", "ptmx"}) tty(name, "");
  const PortListing listing = list();
  EXPECT_EQ(listing.problem, "");
  EXPECT_EQ(port_list_text(listing), "No serial ports found.\n");
}

TEST_F(FakeSysfs, WithoutTheTtyClassTheListingFails) {
  fs::create_directories(root_ / "sys");
  const PortListing listing = list();
  EXPECT_EQ(listing.problem,
            "cannot read " + (root_ / "sys/class/tty").string() + ": No such file or directory");
  EXPECT_TRUE(listing.ports.empty());
}

TEST_F(FakeSysfs, ADeviceLinkOutsideTheTreeIsNoPort) {
  fs::create_directories(root_ / "elsewhere");
  tty("ttyUSB9", "elsewhere");
  EXPECT_TRUE(list().ports.empty());
}

}  // namespace
