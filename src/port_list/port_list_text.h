#pragma once
// The lines of --list-ports: one a port, then how to use one (or that there
// are none). Device strings come from the hardware and are shown with their
// control characters and bidirectional controls escaped, so that no device
// can write to the terminal or disguise its name.

#include <string>
#include <string_view>

#include "port_list/port_list.h"

// The line of one port, then a line indented by two spaces for each thing in
// its way. On POSIX `number` is the N its --com N=PATH form suggests (the
// port's place in the list, 1..10; others show "N").
std::string port_line(const ListedPort& port, PortNaming naming, int number);

// What the port is, as its line says after the name: ": ftdi_sio, USB
// 0403:6001, ..."; empty when nothing is known.
std::string port_details(const ListedPort& port);

// Every port's line and the closing line.
std::string port_list_text(const PortListing& listing);

// `text` with every byte that is not printable ASCII or part of a printable
// UTF-8 character written as \xNN; a bidirectional control (U+202A..U+202E,
// U+2066..U+2069) counts as not printable.
std::string printable_text(std::string_view text);
