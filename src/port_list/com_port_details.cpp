#include "port_list/com_port_details.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool is_com_name(const std::string& name) {
  return name.size() > 3 && upper(name.substr(0, 3)) == "COM" &&
         std::all_of(name.begin() + 3, name.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

bool hex_after(const std::string& text, std::string_view key, std::uint16_t& value) {
  const std::size_t at = text.find(key);
  if (at == std::string::npos || at + key.size() + 4 > text.size()) return false;
  const char* first = text.data() + at + key.size();
  const auto [ptr, ec] = std::from_chars(first, first + 4, value, 16);
  return ec == std::errc() && ptr == first + 4;
}

ListedPort& port_named(std::vector<ListedPort>& ports, const std::string& com) {
  const std::string name = upper(com);
  for (ListedPort& p : ports) {
    if (p.name == name) return p;
  }
  ports.emplace_back().name = name;
  return ports.back();
}

void add_details(ListedPort& port, const SetupApiPort& d) {
  port.description = d.friendly_name;
  port.hardware_id = d.hardware_id;
  port.driver = d.service;
  port.manufacturer = d.manufacturer;
  port.usb = usb_ids_of(d.hardware_id, port.vendor_id, port.product_id);
}

}  // namespace

bool usb_ids_of(std::string_view hardware_id, std::uint16_t& vendor, std::uint16_t& product) {
  const std::string id = upper(hardware_id);
  std::uint16_t v = 0;
  std::uint16_t p = 0;
  if (!hex_after(id, "VID_", v) || !hex_after(id, "PID_", p)) return false;
  vendor = v;
  product = p;
  return true;
}

std::vector<ListedPort> merge_com_ports(const std::vector<ComPortName>& names,
                                        const std::vector<SetupApiPort>& devices) {
  std::vector<ListedPort> ports;
  for (const ComPortName& n : names) {
    if (!is_com_name(n.com)) continue;
    ListedPort& port = port_named(ports, n.com);
    if (port.kernel_device.empty()) port.kernel_device = n.kernel_device;
  }
  for (const SetupApiPort& d : devices) {
    if (is_com_name(d.port_name)) add_details(port_named(ports, d.port_name), d);
  }
  std::sort(ports.begin(), ports.end(), [](const ListedPort& a, const ListedPort& b) {
    return port_name_less(a.name, b.name);
  });
  return ports;
}
