#include "serial/posix_line.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// A terminal as a login shell leaves it: cooked, echoing, with flow control.
termios cooked() {
  termios t{};
  t.c_iflag = ICRNL | IXON | IXOFF | IXANY | INPCK | BRKINT | ISTRIP;
  t.c_oflag = OPOST | ONLCR;
  t.c_lflag = ICANON | ECHO | ECHOE | ISIG | IEXTEN;
  t.c_cflag = CS7 | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL;
  cfsetispeed(&t, B1200);
  cfsetospeed(&t, B1200);
  return t;
}

PortDcb line(std::uint32_t rate) {
  PortDcb dcb = dcb_from_termios(cooked());
  apply_line_settings(dcb, rate);
  return dcb;
}

TEST(PosixLine, TheUtilitysLineIsRawEightNoneOne) {
  termios t = cooked();
  ASSERT_TRUE(termios_from_dcb(t, line(9600)));
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_EQ(cfgetispeed(&t), B9600);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL), 0u);
  EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | IXANY | INPCK | BRKINT | ISTRIP), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
}

TEST(PosixLine, StateReadBackFromACookedTerminal) {
  const PortDcb dcb = dcb_from_termios(cooked());
  EXPECT_EQ(dcb.baud_rate, 1200u);
  EXPECT_EQ(dcb.byte_size, 7);
  EXPECT_EQ(dcb.parity, DCB_ODDPARITY);
  EXPECT_EQ(dcb.stop_bits, DCB_TWOSTOPBITS);
  EXPECT_TRUE(dcb.parity_check && dcb.outx_cts_flow && dcb.out_x && dcb.in_x);
  EXPECT_EQ(dcb.rts_control, DCB_RTS_CONTROL_HANDSHAKE);
}

TEST(PosixLine, EveryConnectRateHasASpeed) {
  for (std::uint32_t rate :
       {110u, 300u, 600u, 1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u}) {
    speed_t speed = 0;
    ASSERT_TRUE(rate_to_speed(rate, speed)) << rate;
    EXPECT_EQ(speed_to_rate(speed), rate);
  }
}

TEST(PosixLine, RatesTheSystemLacksAreRefused) {
  for (std::uint32_t rate : {14400u, 56000u, 1234u, 0u}) {
    speed_t speed = 0;
    if (rate == 14400 || rate == 56000) {
      if (rate_to_speed(rate, speed)) continue;  // a system that has the speed
    }
    errno = 0;
    termios t = cooked();
    EXPECT_FALSE(termios_from_dcb(t, line(rate))) << rate;
    EXPECT_EQ(errno, EINVAL);
  }
}

TEST(PosixLine, SettingsTermiosCannotExpressAreRefused) {
  PortDcb dsr = line(9600);
  dsr.outx_dsr_flow = true;
  PortDcb nulls = line(9600);
  nulls.null_discard = true;
  PortDcb bits = line(9600);
  bits.byte_size = 9;
  PortDcb stop = line(9600);
  stop.stop_bits = 1;  // one and a half
  for (const PortDcb& dcb : {dsr, nulls, bits, stop}) {
    termios t = cooked();
    errno = 0;
    EXPECT_FALSE(termios_from_dcb(t, dcb));
    EXPECT_EQ(errno, EINVAL);
  }
}

}  // namespace
