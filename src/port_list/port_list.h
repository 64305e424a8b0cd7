#pragma once
// The serial ports this PC has, for --list-ports: what each one is called
// where the utility opens it and what the system says it is. Each platform
// finds its own (linux_port_list.cpp over sysfs, macos_port_list.cpp over
// /dev/cu.*, win32_port_list.cpp over the registry and SetupAPI); the lines
// are written by port_list_text.h the same way everywhere.

#include <cstdint>
#include <string>
#include <vector>

// A process that has the port open or locked.
struct PortHolder {
  int pid = 0;
  std::string program;  // empty where this user cannot see the process
};

// Whether this user may open the device, and if not, what would help.
enum class PortAccess {
  kAllowed,        // may read and write it, or nothing says otherwise
  kNotInGroup,     // its group may, and the user is not in that group
  kLoginPredates,  // the user is in the group, but this login began before that
  kDenied,         // neither: its owner or mode says no
};

// What stands between the operator and a port, as far as the system shows it
// without opening the port (port_obstacles.h finds and says it).
struct PortObstacles {
  bool missing = false;  // no such device
  std::vector<PortHolder> holders;
  PortAccess access = PortAccess::kAllowed;
  std::string user;            // who may not open it
  std::string group;           // the device's group
  unsigned mode = 0;           // the device's file mode
  bool console = false;        // the kernel's console
  bool modem_manager = false;  // ModemManager runs, and this is a USB adapter
  bool brltty = false;         // brltty is installed, and this is a CH340/CH341
};

struct ListedPort {
  std::string name;    // a device path, or COMn on Windows
  std::string driver;  // the kernel driver or Windows service; may be empty
  std::string uart;    // a built-in UART's type ("16550A"); empty for others
  bool usb = false;    // the IDs below are known
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;
  // As the device or the system gives them; empty where they give none.
  std::string manufacturer;
  std::string product;
  std::string serial;
  std::string by_id;          // Linux: the /dev/serial/by-id link to the port
  std::string description;    // Windows: the friendly name
  std::string hardware_id;    // Windows: the first hardware ID
  std::string kernel_device;  // Windows: the device the COM name stands for
  PortObstacles obstacles;
};

// How a platform's ports are used: by COM number (Windows) or by path
// mapped with --com N=PATH (POSIX).
enum class PortNaming { kComNumber, kDevicePath };

struct PortListing {
  PortNaming naming = PortNaming::kDevicePath;
  std::vector<ListedPort> ports;
  std::string problem;  // why the listing failed; empty when it did not
};

// The platform's ports, in name order.
PortListing list_ports();

// Name order with numbers compared as numbers: ttyS2 before ttyS10, COM9
// before COM10.
bool port_name_less(const std::string& a, const std::string& b);
