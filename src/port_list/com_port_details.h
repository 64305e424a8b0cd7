#pragma once
// Windows' COM ports as two sources tell of them, put together for the list:
// the names the system maps (the SERIALCOMM device map, QueryDosDevice) and
// what SetupAPI knows of each device of the Ports class. Apart from the API
// calls (win32_port_list.cpp), so that tests give it any data.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "port_list/port_list.h"

struct ComPortName {
  std::string com;            // "COM3"
  std::string kernel_device;  // "\Device\Serial2"; may be empty
};

struct SetupApiPort {
  std::string port_name;  // the device's PortName value: "COM3" (or "LPT1")
  std::string friendly_name;
  std::string hardware_id;  // the first of its hardware IDs
  std::string service;
  std::string manufacturer;
};

// One port a COM name, in number order, with what SetupAPI says of it; a
// present device whose COM name no map lists is listed too.
std::vector<ListedPort> merge_com_ports(const std::vector<ComPortName>& names,
                                        const std::vector<SetupApiPort>& devices);

// The vendor and product IDs of a hardware ID with VID_xxxx and PID_xxxx in
// it ("USB\VID_10C4&PID_EA60&REV_0100"); false when it has not both.
bool usb_ids_of(std::string_view hardware_id, std::uint16_t& vendor, std::uint16_t& product);
