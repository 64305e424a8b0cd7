#include "port_list/linux_port_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "console/console.h"
#include "port_list/linux_port_obstacles.h"
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

// What stands in the way, from /proc, /etc/group, the lock folders and
// /usr/bin beside sys/ and dev/, for the user "alice" (groups 100 and 4).
class FakeSystem : public FakeSysfs {
 protected:
  FakeSystem() {
    system_.root = root_;
    system_.user = "alice";
    system_.primary_gid = 100;
    system_.groups = {100, 4};
    system_.may_read_write = [this](const fs::path& device) { return denied_ != device; };
  }
  std::string device(const std::string& name, fs::perms mode) {
    file("dev/" + name, "");
    fs::permissions(root_ / "dev" / name, mode);
    return fs::canonical(root_ / "dev" / name).string();
  }
  void process(int pid, const std::string& comm) {
    file("proc/" + std::to_string(pid) + "/comm", comm + "\n");
  }
  void open_by(int pid, int fd, const std::string& target) {
    link("proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd), target);
  }
  // The device's group as /etc/group names it, with its members.
  void group_of(const std::string& path, const std::string& name, const std::string& members) {
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    file("etc/group",
         "nogroup:x:65534:\n" + name + ":x:" + std::to_string(st.st_gid) + ":" + members + "\n");
    gid_ = st.st_gid;
  }
  std::string listing() {
    PortListing l = list();
    for (ListedPort& p : l.ports) p.obstacles = find_linux_obstacles(system_, p);
    return port_list_text(l);
  }

  LinuxSystem system_;
  fs::path denied_;
  unsigned gid_ = 0;
};

TEST_F(FakeSystem, ListsWhatStandsInTheWayOfEachPort) {
  // A CH340 with a reordering string, held open by a terminal program whose
  // name reorders too; its group is one alice is not in.
  // U+202E from its bytes, as no literal here may hold one.
  const std::string rlo{'\xe2', '\x80', '\xae'};
  const std::string ch340 = usb("1-1", "1a86:7523", "", "USB Serial" + rlo + "3SU", "");
  driver(ch340 + "/ttyUSB0", "usb-serial", "ch341-uart");
  tty("ttyUSB0", ch340 + "/ttyUSB0");
  const std::string usb0 = device("ttyUSB0", fs::perms::owner_read | fs::perms::owner_write |
                                                 fs::perms::group_read | fs::perms::group_write);
  denied_ = usb0;
  group_of(usb0, "dialout", "bob");
  process(4242, "mini" + rlo + "com");
  open_by(4242, 3, usb0);
  process(600, "ModemManager");
  file("usr/bin/brltty", "");
  // A second copy of this utility, seen only by its flock.
  const std::string cp210x = usb("1-2", "10c4:ea60", "", "", "");
  driver(cp210x + "/ttyUSB1", "usb-serial", "cp210x");
  tty("ttyUSB1", cp210x + "/ttyUSB1");
  const std::string usb1 = device("ttyUSB1", fs::perms::owner_read | fs::perms::owner_write);
  struct stat st {};
  ASSERT_EQ(::stat(usb1.c_str(), &st), 0);
  process(4343, "ktreva-host");
  file("proc/locks", "1: POSIX  ADVISORY  WRITE 9 fd:01:1 0 EOF\n" +
                         format_text("2: FLOCK  ADVISORY  WRITE 4343 %02x:%02x:%lu 0 EOF\n",
                                     major(st.st_dev), minor(st.st_dev), st.st_ino) +
                         format_text("2: -> FLOCK  ADVISORY  WRITE 4444 %02x:%02x:%lu 0 EOF\n",
                                     major(st.st_dev), minor(st.st_dev), st.st_ino));
  // The kernel's console, with a lock file naming a process alice cannot see.
  driver("sys/devices/pnp0/00:05", "pnp", "serial");
  tty("ttyS0", "sys/devices/pnp0/00:05");
  device("ttyS0", fs::perms::owner_read | fs::perms::owner_write);
  file("proc/consoles",
       "tty0                 -WU (E  p  )    4:1\nttyS0                -W- (EC p a)    4:64\n");
  file("var/lock/LCK..ttyS0", "      7777\n");

  EXPECT_EQ(
      listing(),
      dev("ttyS0") + " (--com 1=" + dev("ttyS0") +
          "): serial\n"
          "  in use (by a process this user cannot see)\n"
          "  the kernel console\n" +
          dev("ttyUSB0") + " (--com 2=" + dev("ttyUSB0") +
          "): ch341-uart, USB 1a86:7523, \"USB Serial\\xe2\\x80\\xae3SU\"\n"
          "  in use by mini\\xe2\\x80\\xaecom (pid 4242)\n"
          "  not open to alice: its group dialout may use it, and alice is not in that group; "
          "add yourself: sudo usermod -aG dialout alice, then log in again\n"
          "  brltty is installed and takes CH340/CH341 adapters such as this one for a braille "
          "display, which makes the port vanish; without a braille display, remove it: sudo "
          "apt remove brltty\n"
          "  ModemManager is running and probes new serial adapters; to make it leave this one "
          "alone, add the udev rule ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", "
          "ENV{ID_MM_DEVICE_IGNORE}=\"1\" to a file in /etc/udev/rules.d/ and plug the adapter "
          "in again\n" +
          dev("ttyUSB1") + " (--com 3=" + dev("ttyUSB1") +
          "): cp210x, USB 10c4:ea60\n"
          "  in use by ktreva-host (pid 4343)\n"
          "  ModemManager is running and probes new serial adapters; to make it leave this one "
          "alone, add the udev rule ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"ea60\", "
          "ENV{ID_MM_DEVICE_IGNORE}=\"1\" to a file in /etc/udev/rules.d/ and plug the adapter "
          "in again\n"
          "To use a port, start ktreva-host with its --com N=PATH and type connect N at the "
          "Command> prompt.\n");
}

TEST_F(FakeSystem, SaysWhetherJoiningTheGroupWouldHelp) {
  const fs::perms rw = fs::perms::owner_read | fs::perms::owner_write;
  const fs::perms group_rw = rw | fs::perms::group_read | fs::perms::group_write;
  const struct {
    fs::perms mode;
    std::string members;
    bool primary;     // the group is alice's own in the password database
    bool in_process;  // this process has the group
    PortAccess access;
  } cases[] = {
      {group_rw, "bob", false, false, PortAccess::kNotInGroup},
      {group_rw, "bob,alice", false, false, PortAccess::kLoginPredates},
      {group_rw, "", true, false, PortAccess::kLoginPredates},
      {group_rw, "alice", false, true, PortAccess::kDenied},
      {rw, "alice", false, false, PortAccess::kDenied},
  };
  const std::string path = device("ttyUSB0", rw);
  denied_ = path;
  for (const auto& c : cases) {
    fs::permissions(path, c.mode);
    group_of(path, "dialout", c.members);
    system_.primary_gid = c.primary ? gid_ : 100;
    system_.groups = c.in_process ? std::vector<unsigned>{gid_} : std::vector<unsigned>{100};
    PortObstacles o;
    check_linux_access(system_, path, o);
    EXPECT_EQ(o.access, c.access) << c.members;
    EXPECT_EQ(o.group, "dialout");
  }
  denied_.clear();
  PortObstacles allowed;
  check_linux_access(system_, path, allowed);
  EXPECT_EQ(allowed.access, PortAccess::kAllowed);
  PortObstacles missing;
  check_linux_access(system_, dev("ttyUSB9"), missing);
  EXPECT_TRUE(missing.missing);
}

}  // namespace
