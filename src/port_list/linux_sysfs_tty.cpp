// One terminal of /sys/class/tty: whether it is a serial port and what its
// device is. Every path stays inside the sysfs root it was given.
#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <system_error>

#include "port_list/linux_port_list.h"

namespace fs = std::filesystem;

namespace {

// Levels up the device path to look for a driver or the USB device.
constexpr int MAX_LEVELS = 12;

bool inside(const fs::path& path, const fs::path& root) {
  const auto [r, p] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
  return r == root.end() && p != path.end();
}

// The driver of `dir`, when it has one: the link's last part, and the bus in
// the part two before it (.../bus/BUS/drivers/NAME).
bool driver_of(const fs::path& dir, std::string& name, std::string& bus) {
  std::error_code ec;
  const fs::path link = fs::read_symlink(dir / "driver", ec);
  if (ec || link.filename().empty()) return false;
  name = link.filename().string();
  bus = link.parent_path().parent_path().filename().string();
  return true;
}

// The nearest driver up the path. The serial core's own port and controller
// devices (bus serial-base, since Linux 6.5) stand between a UART and its
// driver; theirs is not the one an operator knows.
std::string nearest_driver(fs::path dir, const fs::path& root) {
  for (int level = 0; level < MAX_LEVELS && inside(dir, root); ++level, dir = dir.parent_path()) {
    std::string name;
    std::string bus;
    if (driver_of(dir, name, bus) && bus != "serial-base") return name;
  }
  return {};
}

bool read_hex16(const fs::path& file, std::uint16_t& value) {
  const std::string text = sysfs_attribute(file);
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
  return ec == std::errc() && ptr == end && !text.empty();
}

// The USB device up the path: the first directory with both IDs.
void read_usb_device(fs::path dir, const fs::path& root, ListedPort& port) {
  for (int level = 0; level < MAX_LEVELS && inside(dir, root); ++level, dir = dir.parent_path()) {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    if (!read_hex16(dir / "idVendor", vendor) || !read_hex16(dir / "idProduct", product)) continue;
    port.usb = true;
    port.vendor_id = vendor;
    port.product_id = product;
    port.manufacturer = sysfs_attribute(dir / "manufacturer");
    port.product = sysfs_attribute(dir / "product");
    port.serial = sysfs_attribute(dir / "serial");
    return;
  }
}

// The serial core's port types (linux/serial_core.h) that PCs have.
std::string uart_name(const std::string& type) {
  static constexpr std::array<const char*, 9> names{"",       "8250",  "16450",   "16550", "16550A",
                                                    "Cirrus", "16650", "16650V2", "16750"};
  int n = 0;
  const auto [ptr, ec] = std::from_chars(type.data(), type.data() + type.size(), n);
  if (ec != std::errc() || ptr != type.data() + type.size()) return type;
  if (n > 0 && n < static_cast<int>(names.size())) return names[static_cast<std::size_t>(n)];
  return "type " + type;
}

}  // namespace

std::string sysfs_attribute(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::array<char, 256> buf{};
  in.read(buf.data(), buf.size());
  std::string text(buf.data(), static_cast<std::size_t>(in.gcount()));
  const std::size_t line_end = text.find('\n');
  return line_end == std::string::npos ? text : text.substr(0, line_end);
}

bool describe_tty(const fs::path& entry, const fs::path& sys_root, ListedPort& port) {
  std::error_code ec;
  const fs::path root = fs::canonical(sys_root, ec);
  if (ec) return false;
  const fs::path device = fs::canonical(entry / "device", ec);
  if (ec || !inside(device, root) || inside(device, root / "devices" / "virtual")) return false;
  // The serial core registers every line it could drive; type 0 has no UART.
  const std::string type = sysfs_attribute(entry / "type");
  if (type == "0") return false;
  if (!type.empty()) port.uart = uart_name(type);
  port.driver = nearest_driver(device, root);
  read_usb_device(device, root, port);
  return true;
}
