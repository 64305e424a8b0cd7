#include "serial/port_settings.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto fields(const PortTimeouts& t) {
  return std::make_tuple(t.read_interval, t.read_total_multiplier, t.read_total_constant,
                         t.write_total_multiplier, t.write_total_constant);
}

TEST(PortSettings, OpenTimeoutsFollowTheRate) {
  struct Row {
    std::uint32_t rate, read_per_byte, write_per_byte;
  };
  const Row rows[] = {{110, 90, 181}, {4800, 2, 4},  {9600, 1, 2},  {14400, 0, 1},
                      {19200, 0, 1},  {38400, 0, 0}, {57600, 0, 0}, {115200, 0, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.rate);
    EXPECT_EQ(fields(open_timeouts(r.rate)),
              std::make_tuple(0u, r.read_per_byte, 1u, r.write_per_byte, 10u));
  }
}

TEST(PortSettings, ARateOfZeroGivesNoPerByteTerm) {
  EXPECT_EQ(fields(open_timeouts(0)), std::make_tuple(0u, 0u, 1u, 0u, 10u));
}

TEST(PortSettings, ReadTimeoutsChangeOnlyTheReadTotals) {
  const PortTimeouts base = open_timeouts(9600);
  EXPECT_EQ(fields(read_timeouts(base, 9600, 20000)), std::make_tuple(0u, 1u, 20010u, 2u, 10u));
  EXPECT_EQ(fields(read_timeouts(base, 4800, 5000)), std::make_tuple(0u, 2u, 5010u, 2u, 10u));
  EXPECT_EQ(fields(read_timeouts(base, 9600, 0)), fields(base));
}

TEST(PortSettings, AHugeReadTimeoutSaturatesInsteadOfWrapping) {
  const PortTimeouts t = read_timeouts(open_timeouts(9600), 9600, 0xFFFFFFFBu);
  EXPECT_EQ(t.read_total_constant, 0xFFFFFFFFu);
}

TEST(PortSettings, BudgetsOfTheWorkedReads) {
  // 100 bytes, 20000 ms at 9600 baud; 1 byte, 5000 ms at 4800 baud; at
  // 19200 and above the per-byte term is 0.
  EXPECT_EQ(read_budget_ms(read_timeouts(open_timeouts(9600), 9600, 20000), 100), 20110u);
  EXPECT_EQ(read_budget_ms(read_timeouts(open_timeouts(4800), 4800, 5000), 1), 5012u);
  EXPECT_EQ(read_budget_ms(read_timeouts(open_timeouts(19200), 19200, 20000), 100), 20010u);
  EXPECT_EQ(write_budget_ms(open_timeouts(4800), 56), 234u);
  EXPECT_EQ(write_budget_ms(open_timeouts(57600), 1024), 10u);
}

TEST(PortSettings, LineSettingsAreEightNoneOneWithoutFlowControl) {
  PortDcb dcb;
  dcb.baud_rate = 1200;
  dcb.byte_size = 7;
  dcb.parity = DCB_EVENPARITY;
  dcb.stop_bits = DCB_TWOSTOPBITS;
  dcb.parity_check = dcb.outx_cts_flow = dcb.outx_dsr_flow = true;
  dcb.out_x = dcb.in_x = dcb.null_discard = true;
  dcb.dtr_control = DCB_DTR_CONTROL_ENABLE;
  dcb.rts_control = DCB_RTS_CONTROL_HANDSHAKE;
  apply_line_settings(dcb, 19200);
  EXPECT_EQ(dcb.baud_rate, 19200u);
  EXPECT_EQ(dcb.byte_size, 8);
  EXPECT_EQ(dcb.parity, DCB_NOPARITY);
  EXPECT_EQ(dcb.stop_bits, DCB_ONESTOPBIT);
  EXPECT_FALSE(dcb.parity_check || dcb.outx_cts_flow || dcb.outx_dsr_flow);
  EXPECT_FALSE(dcb.out_x || dcb.in_x || dcb.null_discard);
  EXPECT_EQ(dcb.dtr_control, DCB_DTR_CONTROL_DISABLE);
  EXPECT_EQ(dcb.rts_control, DCB_RTS_CONTROL_DISABLE);
}

}  // namespace
