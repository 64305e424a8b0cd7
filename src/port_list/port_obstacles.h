#pragma once
// What stands in the operator's way at a port: who holds it, whether this
// user may open it, whether the kernel uses it as its console, and the
// desktop services known to take USB adapters. It is found from what the
// system shows without opening the port, since an open would toggle the
// modem lines of a device that may be attached. Each platform finds what it
// can (linux_port_obstacles.cpp much, win32_ and macos_ little); the lines
// are said the same way everywhere (port_obstacles_text.cpp).

#include <string>
#include <vector>

#include "port_list/port_list.h"

// The port at `path` as the list shows it, with its obstacles; a path the
// list lacks is examined by that name alone.
ListedPort examine_port(const std::string& path);

// Where this platform looks for a process that holds a port.
const char* holder_signals();

// What the system's error `code` of a failed open says about the port, in a
// line; empty where it says nothing more than its own text.
std::string open_failure_hint(int code);

// One line for each thing in the way, without line ends; none when nothing is.
// Strings from the system come escaped (printable_text).
std::vector<std::string> obstacle_notes(const ListedPort& port);

// The line that follows a failed open of `name`, the device at `path`, on a
// terminal: "COM1 is /dev/ttyUSB0, in use by minicom (pid 4242)". Empty when
// nothing was found in the way.
std::string port_open_advice(const std::string& name, const std::string& path);
