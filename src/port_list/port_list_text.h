#pragma once
// The lines of --list-ports: one a port, then how to use one (or that there
// are none). Device strings come from the hardware and are shown with their
// control characters escaped, so that no device can write to the terminal.

#include <string>
#include <string_view>

#include "port_list/port_list.h"

// The line of one port. On POSIX `number` is the N its --com N=PATH form
// suggests (the port's place in the list, 1..10; others show "N").
std::string port_line(const ListedPort& port, PortNaming naming, int number);

// Every port's line and the closing line.
std::string port_list_text(const PortListing& listing);

// `text` with every byte that is not printable ASCII or part of a printable
// UTF-8 character written as \xNN.
std::string printable_text(std::string_view text);
