#include "serial/posix_line.h"

#include <cerrno>

namespace {

struct SpeedEntry {
  std::uint32_t rate;
  speed_t speed;
};

// The system has no speed for some of the utility's rates (14400 and 56000
// on Linux); those are refused when the line is set.
constexpr SpeedEntry speed_table[] = {
    {110, B110},     {300, B300},       {600, B600},   {1200, B1200},
    {2400, B2400},   {4800, B4800},     {9600, B9600},
#ifdef B14400
    {14400, B14400},
#endif
    {19200, B19200}, {38400, B38400},
#ifdef B56000
    {56000, B56000},
#endif
    {57600, B57600}, {115200, B115200},
};

bool set_byte_size(termios& t, std::uint8_t byte_size) {
  switch (byte_size) {
    case 5:
      t.c_cflag |= CS5;
      return true;
    case 6:
      t.c_cflag |= CS6;
      return true;
    case 7:
      t.c_cflag |= CS7;
      return true;
    case 8:
      t.c_cflag |= CS8;
      return true;
    default:
      return false;
  }
}

bool set_framing(termios& t, const PortDcb& dcb) {
  if (!set_byte_size(t, dcb.byte_size)) return false;
  if (dcb.parity == DCB_ODDPARITY) {
    t.c_cflag |= PARENB | PARODD;
  } else if (dcb.parity == DCB_EVENPARITY) {
    t.c_cflag |= PARENB;
  } else if (dcb.parity != DCB_NOPARITY) {
    return false;
  }
  if (dcb.stop_bits == DCB_TWOSTOPBITS) {
    t.c_cflag |= CSTOPB;
  } else if (dcb.stop_bits != DCB_ONESTOPBIT) {
    return false;
  }
  if (dcb.parity_check) t.c_iflag |= INPCK;
  return true;
}

// termios has no DSR output flow control and no null stripping in raw mode.
bool set_flow(termios& t, const PortDcb& dcb) {
  if (dcb.outx_dsr_flow || dcb.null_discard) return false;
  if (dcb.outx_cts_flow || dcb.rts_control == DCB_RTS_CONTROL_HANDSHAKE) t.c_cflag |= CRTSCTS;
  if (dcb.out_x) t.c_iflag |= IXON;
  if (dcb.in_x) t.c_iflag |= IXOFF;
  return true;
}

void make_raw(termios& t) {
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                      IXON | IXOFF | IXANY | INPCK);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
}

std::uint8_t byte_size_of(tcflag_t cflag) {
  switch (cflag & CSIZE) {
    case CS5:
      return 5;
    case CS6:
      return 6;
    case CS7:
      return 7;
    default:
      return 8;
  }
}

}  // namespace

bool rate_to_speed(std::uint32_t rate, speed_t& speed) {
  for (const SpeedEntry& e : speed_table) {
    if (e.rate == rate) {
      speed = e.speed;
      return true;
    }
  }
  errno = EINVAL;
  return false;
}

std::uint32_t speed_to_rate(speed_t speed) {
  for (const SpeedEntry& e : speed_table) {
    if (e.speed == speed) return e.rate;
  }
  return 0;
}

bool termios_from_dcb(termios& t, const PortDcb& dcb) {
  speed_t speed = 0;
  if (!rate_to_speed(dcb.baud_rate, speed)) return false;
  make_raw(t);
  if (!set_framing(t, dcb) || !set_flow(t, dcb) || cfsetispeed(&t, speed) != 0 ||
      cfsetospeed(&t, speed) != 0) {
    errno = EINVAL;
    return false;
  }
  return true;
}

PortDcb dcb_from_termios(const termios& t) {
  PortDcb dcb;
  dcb.baud_rate = speed_to_rate(cfgetospeed(&t));
  dcb.byte_size = byte_size_of(t.c_cflag);
  if ((t.c_cflag & PARENB) != 0) {
    dcb.parity = (t.c_cflag & PARODD) != 0 ? DCB_ODDPARITY : DCB_EVENPARITY;
  }
  dcb.stop_bits = (t.c_cflag & CSTOPB) != 0 ? DCB_TWOSTOPBITS : DCB_ONESTOPBIT;
  dcb.parity_check = (t.c_iflag & INPCK) != 0;
  dcb.outx_cts_flow = (t.c_cflag & CRTSCTS) != 0;
  dcb.dtr_control = DCB_DTR_CONTROL_ENABLE;
  dcb.out_x = (t.c_iflag & IXON) != 0;
  dcb.in_x = (t.c_iflag & IXOFF) != 0;
  dcb.rts_control = dcb.outx_cts_flow ? DCB_RTS_CONTROL_HANDSHAKE : DCB_RTS_CONTROL_ENABLE;
  return dcb;
}
