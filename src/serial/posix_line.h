#pragma once
// The port state fields as termios flags. Raw 8N1 is the whole of it: no
// input or output processing, no echo, no signals, no flow control of any
// kind, the modem status lines ignored (CLOCAL) and left alone at close
// (no HUPCL). VMIN/VTIME play no part: reads wait in poll() on a deadline.

#include <termios.h>

#include <cstdint>

#include "serial/port_settings.h"

// The termios speed of a line rate; false (errno EINVAL) when the system has
// no such speed.
bool rate_to_speed(std::uint32_t rate, speed_t& speed);
// The line rate of a termios speed, or 0.
std::uint32_t speed_to_rate(speed_t speed);

// Rewrites `t` as `dcb` asks, keeping nothing of its processing flags; false
// (errno EINVAL) for a setting that termios cannot express.
bool termios_from_dcb(termios& t, const PortDcb& dcb);
// The port state fields that `t` expresses.
PortDcb dcb_from_termios(const termios& t);
