#pragma once
// Port names: the operator speaks of COM1..COM10; each platform opens its own
// device for them. Windows opens "COMn" as \\.\COMn (the only form that works
// from COM10 on); POSIX opens /dev/ttyS(n-1) unless the command line mapped
// port n to another device with --com N=PATH. Messages keep the COMn name.

#include <string>

constexpr int PORT_NAMES_MAX = 10;

// Records a mapping written as "N=PATH" (N 1..10, PATH not empty); a later
// mapping of the same port replaces the earlier one. False for a bad value.
bool port_names_map(const char* mapping);
// Forgets every mapping.
void port_names_clear();

// The device path that opening `name` uses: a mapped path, the platform's
// device for COMn, or any other name as it is.
std::string port_device_path(const char* name);

// The platform's device for port n (n >= 1).
std::string default_device_path(int number);
