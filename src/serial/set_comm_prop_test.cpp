#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "serial/serial.h"
#include "support/fake_port_device.h"

namespace {

class SetCommProp : public testing::Test {
 protected:
  void SetUp() override {
    script.driver_state.baud_rate = 1200;
    script.driver_state.byte_size = 7;
    script.driver_state.parity = DCB_EVENPARITY;
    script.driver_state.stop_bits = DCB_TWOSTOPBITS;
    script.driver_state.outx_cts_flow = script.driver_state.out_x = true;
    script.driver_state.dtr_control = DCB_DTR_CONTROL_ENABLE;
    script.driver_state.rts_control = DCB_RTS_CONTROL_HANDSHAKE;
    port.attach(std::make_unique<FakePortDevice>(script));
  }

  void expect_closed() {
    EXPECT_FALSE(port.is_open());
    EXPECT_TRUE(script.closed);
  }

  FakePortScript script;
  PortHandle port;
  Console con{""};
};

// A driver left in another program's settings: every field the utility
// owns is set to 8N1 at the rate, with no flow control of any kind.
TEST_F(SetCommProp, SetsTheLineFromTheDriversState) {
  script.driver_state = {4800, 7,    DCB_EVENPARITY, DCB_TWOSTOPBITS,
                         true, true, true,           DCB_DTR_CONTROL_ENABLE,
                         true, true, true,           DCB_RTS_CONTROL_HANDSHAKE};
  EXPECT_EQ(set_comm_prop(con, port, "COM3", 9600), CommPropResult::kOk);
  EXPECT_EQ(con.output(), "");
  ASSERT_EQ(script.states_set.size(), 1u);
  const PortDcb& set = script.states_set[0];
  EXPECT_EQ(set.baud_rate, 9600u);
  EXPECT_EQ(set.byte_size, 8);
  EXPECT_EQ(set.parity, 0);
  EXPECT_EQ(set.stop_bits, 0);
  EXPECT_FALSE(set.parity_check);
  EXPECT_FALSE(set.outx_cts_flow);
  EXPECT_FALSE(set.outx_dsr_flow);
  EXPECT_FALSE(set.out_x);
  EXPECT_FALSE(set.in_x);
  EXPECT_FALSE(set.null_discard);
  EXPECT_EQ(set.dtr_control, 0);
  EXPECT_EQ(set.rts_control, 0);
  EXPECT_EQ(port.port_dcb.baud_rate, 9600u);
  EXPECT_TRUE(port.is_open());
}

TEST_F(SetCommProp, MissingCapabilitiesAreRefusedWithTheFieldTested) {
  struct Row {
    void (*spoil)(CommCaps&);
    const char* message;
    CommPropResult code;
  };
  const Row rows[] = {
      {[](CommCaps& c) { c.settable_params = 0x00000007; },
       "\a\aError: required comm properties for port COM3 not settable: Settable Params "
       "0x00000007\n",
       CommPropResult::kParams},
      {[](CommCaps& c) { c.settable_data = 0x0007; },
       "\a\aError: 8 data bits comm properties for port COM3 not settable: Settable Data 0x0007\n",
       CommPropResult::kDataBits},
      {[](CommCaps& c) { c.settable_stop_parity = 0x0001; },
       "\a\aError: 1 stop bit, no parity comm properties for port COM3 not settable: Settable Stop "
       "& Parity 0x0001\n",
       CommPropResult::kStopParity},
      {[](CommCaps& c) { c.settable_stop_parity = 0x1f00; },
       "\a\aError: 1 stop bit, no parity comm properties for port COM3 not settable: Settable Stop "
       "& Parity 0x1f00\n",
       CommPropResult::kStopParity},
      {[](CommCaps& c) { c.prov_capabilities = 0x00000040; },
       "\a\aError: timeouts comm properties for port COM3 not settable: Settable Prov Cap "
       "0x00000040\n",
       CommPropResult::kTimeouts},
      {[](CommCaps& c) { c.prov_capabilities = 0x00000080; },
       "\a\aError: timeouts comm properties for port COM3 not settable: Settable Prov Cap "
       "0x00000080\n",
       CommPropResult::kTimeouts},
  };
  for (const Row& row : rows) {
    FakePortScript s;
    row.spoil(s.caps);
    PortHandle p = fake_port(s);
    Console c("");
    EXPECT_EQ(set_comm_prop(c, p, "COM3", 9600), row.code);
    EXPECT_EQ(c.output(), row.message);
    EXPECT_FALSE(p.is_open());
    EXPECT_TRUE(s.states_set.empty());
  }
}

TEST_F(SetCommProp, EachFailedPropertiesStepHasItsCode) {
  const std::string io = port_error_text(PortError::kIo) + "\n";
  const std::string alloc =
      "\a\aError: could not malloc comm properties buffer for port COM3: " + io;
  const std::string get = "\a\aError: could not get comm properties for port COM3: " + io;
  const struct {
    PropsFailure failure;
    const std::string& message;
    CommPropResult code;
  } rows[] = {{PropsFailure::kAllocFirst, alloc, CommPropResult::kAllocFirst},
              {PropsFailure::kGetFirst, get, CommPropResult::kQueryFirst},
              {PropsFailure::kAllocSecond, alloc, CommPropResult::kAllocSecond},
              {PropsFailure::kGetSecond, get, CommPropResult::kQuerySecond}};
  for (const auto& row : rows) {
    FakePortScript s;
    s.props_failure = row.failure;
    PortHandle p = fake_port(s);
    Console c("");
    EXPECT_EQ(set_comm_prop(c, p, "COM3", 9600), row.code);
    EXPECT_EQ(c.output(), row.message);
    EXPECT_FALSE(p.is_open());
  }
}

TEST_F(SetCommProp, StateFailures) {
  script.fail_get_state = true;
  EXPECT_EQ(set_comm_prop(con, port, "COM3", 9600), CommPropResult::kGetState);
  const std::string io = port_error_text(PortError::kIo) + "\n";
  EXPECT_EQ(con.output(), "\a\aError: could not get the comm state for port COM3: " + io);
  expect_closed();

  FakePortScript s;
  s.fail_set_state = true;
  PortHandle p = fake_port(s);
  Console c("");
  EXPECT_EQ(set_comm_prop(c, p, "COM3", 9600), CommPropResult::kSetState);
  EXPECT_EQ(c.output(), "\a\aError: could not set the comm state for port COM3: " + io);
  EXPECT_FALSE(p.is_open());
}

TEST_F(SetCommProp, ArgumentsAreCheckedBeforeThePortIsTouched) {
  script.props_failure = PropsFailure::kGetFirst;  // would print if the driver were asked
  EXPECT_EQ(set_comm_prop(con, port, nullptr, 9600), CommPropResult::kNoName);
  EXPECT_EQ(set_comm_prop(con, port, "COM3", 1234), CommPropResult::kBadRate);
  EXPECT_EQ(set_comm_prop(con, port, "COM3", 0), CommPropResult::kBadRate);
  EXPECT_EQ(con.output(),
            "set_comm_prop: Error: port null argument\n"
            "\a\aError: Invalid baud rate 1234\n"
            "get_baud: Error: invalid baud: 0\n"
            "\a\aError: Invalid baud rate 0\n");
  EXPECT_TRUE(port.is_open());  // closing is open_port's business here
}

TEST_F(SetCommProp, APortThatIsNotOpenFailsLikeABadHandle) {
  PortHandle closed;
  EXPECT_EQ(set_comm_prop(con, closed, "COM3", 9600), CommPropResult::kQueryFirst);
  EXPECT_EQ(con.output(), "\a\aError: could not get comm properties for port COM3: " +
                              port_error_text(PortError::kBadHandle) + "\n");
}

TEST_F(SetCommProp, OpenSetupSetsTheTimeoutsOfTheRateAndPurges) {
  EXPECT_EQ(open_port_setup(con, port, "COM3", 4800), OpenPortResult::kOk);
  EXPECT_EQ(con.output(), "");
  ASSERT_EQ(script.timeouts_set.size(), 1u);
  const PortTimeouts& t = script.timeouts_set[0];
  EXPECT_EQ(t.read_interval, 0u);
  EXPECT_EQ(t.read_total_multiplier, 2u);
  EXPECT_EQ(t.read_total_constant, 1u);
  EXPECT_EQ(t.write_total_multiplier, 4u);
  EXPECT_EQ(t.write_total_constant, 10u);
  EXPECT_EQ(port.port_timeouts.write_total_multiplier, 4u);
  EXPECT_EQ(script.purges, 1);
}

TEST_F(SetCommProp, OpenSetupFailures) {
  EXPECT_EQ(open_port_setup(con, port, "COM3", 1234), OpenPortResult::kLineSettings);
  EXPECT_EQ(con.output(), "\a\aError: Invalid baud rate 1234\n");
  expect_closed();

  FakePortScript s;
  s.fail_set_timeouts = true;
  PortHandle p = fake_port(s);
  Console c("");
  EXPECT_EQ(open_port_setup(c, p, "COM3", 9600), OpenPortResult::kTimeouts);
  EXPECT_EQ(c.output(), "\a\aError: could not set the comm timeouts for port COM3: " +
                            port_error_text(PortError::kIo) + "\n");
  EXPECT_FALSE(p.is_open());
  EXPECT_EQ(s.purges, 0);
}

TEST_F(SetCommProp, OpenPortWithoutAName) {
  EXPECT_EQ(open_port(con, port, nullptr, 9600), OpenPortResult::kNoName);
  EXPECT_EQ(con.output(), "open_port: Error: port null argument\n");
}

}  // namespace
