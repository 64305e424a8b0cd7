// The COM ports Windows knows: the names from the SERIALCOMM device map and
// from QueryDosDevice (either may lack one the other has; Wine fills both
// from the ports it maps), the details from SetupAPI's Ports class.
#include <windows.h>
// After windows.h, which it needs.
#include <setupapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "port_list/com_port_details.h"
#include "port_list/port_list.h"
#include "serial/sys_error.h"

namespace {

// The Ports (COM & LPT) device class, GUID_DEVCLASS_PORTS.
const GUID PORTS_CLASS = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

// A registry or property string as far as its first terminator; `size` is
// what the call wrote, which need not include one.
std::string terminated(const char* data, DWORD size) {
  const std::string text(data, size);
  return text.substr(0, text.find('\0'));
}

// The SERIALCOMM map: value name the kernel device, value the COM name.
LONG serialcomm_names(std::vector<ComPortName>& names) {
  HKEY key = nullptr;
  const LONG rc =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key);
  if (rc != ERROR_SUCCESS) return rc;
  for (DWORD i = 0; i < 4096; ++i) {
    char device[256];
    DWORD device_size = sizeof device;
    char com[256];
    DWORD com_size = sizeof com;
    DWORD type = 0;
    const LONG e = RegEnumValueA(key, i, device, &device_size, nullptr, &type,
                                 reinterpret_cast<BYTE*>(com), &com_size);
    if (e == ERROR_NO_MORE_ITEMS) break;
    if (e != ERROR_SUCCESS || type != REG_SZ) continue;
    names.push_back({terminated(com, com_size), std::string(device, device_size)});
  }
  RegCloseKey(key);
  return ERROR_SUCCESS;
}

// What a DOS name stands for: its first target.
std::string dos_target(const std::string& name) {
  char target[1024] = {};
  const DWORD n = QueryDosDeviceA(name.c_str(), target, sizeof target - 1);
  return n == 0 ? std::string() : terminated(target, n);
}

// The COM names among all DOS device names; false when they cannot be read.
bool dos_com_names(std::vector<ComPortName>& names) {
  std::vector<char> all(64 * 1024);
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD n = QueryDosDeviceA(nullptr, all.data(), static_cast<DWORD>(all.size()));
    if (n != 0) {
      for (const char* p = all.data(); p < all.data() + n && *p != '\0'; p += strlen(p) + 1) {
        const std::string name = p;
        if (name.rfind("COM", 0) == 0) names.push_back({name, dos_target(name)});
      }
      return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    all.resize(all.size() * 4);
  }
  return false;
}

std::string device_property(HDEVINFO devs, SP_DEVINFO_DATA& info, DWORD property) {
  char value[1024] = {};
  DWORD size = 0;
  if (!SetupDiGetDeviceRegistryPropertyA(devs, &info, property, nullptr,
                                         reinterpret_cast<BYTE*>(value), sizeof value - 2, &size)) {
    return {};
  }
  return terminated(value, size);  // a list's first string
}

std::string port_name_of(HDEVINFO devs, SP_DEVINFO_DATA& info) {
  HKEY key = SetupDiOpenDevRegKey(devs, &info, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return {};
  char name[256] = {};
  DWORD size = sizeof name - 1;
  DWORD type = 0;
  const LONG rc =
      RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_SZ ? terminated(name, size) : std::string();
}

// The present devices of the Ports class; none where SetupAPI has none.
std::vector<SetupApiPort> setupapi_ports() {
  std::vector<SetupApiPort> ports;
  HDEVINFO devs = SetupDiGetClassDevsA(&PORTS_CLASS, nullptr, nullptr, DIGCF_PRESENT);
  if (devs == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA info{};
  info.cbSize = sizeof info;
  for (DWORD i = 0; i < 4096 && SetupDiEnumDeviceInfo(devs, i, &info); ++i) {
    ports.push_back({port_name_of(devs, info), device_property(devs, info, SPDRP_FRIENDLYNAME),
                     device_property(devs, info, SPDRP_HARDWAREID),
                     device_property(devs, info, SPDRP_SERVICE),
                     device_property(devs, info, SPDRP_MFG)});
  }
  SetupDiDestroyDeviceInfoList(devs);
  return ports;
}

}  // namespace

PortListing list_ports() {
  PortListing listing;
  listing.naming = PortNaming::kComNumber;
  std::vector<ComPortName> names;
  const LONG map = serialcomm_names(names);
  const bool dos = dos_com_names(names);
  // A PC without serial ports has no SERIALCOMM key: an empty list.
  if (map != ERROR_SUCCESS && map != ERROR_FILE_NOT_FOUND && !dos) {
    listing.problem = "cannot read the serial port map: " + sys_error_line(static_cast<int>(map));
    return listing;
  }
  listing.ports = merge_com_ports(names, setupapi_ports());
  return listing;
}
