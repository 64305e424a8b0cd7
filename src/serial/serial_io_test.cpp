#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "serial/serial.h"
#include "support/fake_port_device.h"

namespace {

class PortIo : public testing::Test {
 protected:
  void SetUp() override {
    port.attach(std::make_unique<FakePortDevice>(script));
    port.port_dcb.baud_rate = 9600;
    port.port_timeouts = open_timeouts(9600);
  }

  FakePortScript script;
  PortHandle port;
  Console con{""};
  const char bytes[6] = "hello";
};

TEST_F(PortIo, WriteArgumentsAreChecked) {
  const struct {
    const char* name;
    const void* buf;
    int count;
    const char* message;
    int result;
  } rows[] = {
      {nullptr, bytes, 5, "write_port: Error: invalid param file port\n", WRITE_PORT_BAD_ARG},
      {nullptr, nullptr, 0, "write_port: Error: invalid param file port\n", WRITE_PORT_BAD_ARG},
      {"COM1", nullptr, 5, "write_port: Error: invalid param buf ptr\n", WRITE_PORT_NO_BUFFER},
      {"COM1", nullptr, 0, "write_port: Error: invalid param buf ptr\n", WRITE_PORT_NO_BUFFER},
      {"COM1", bytes, 0, "write_port: Error: invalid param len: 0\n", WRITE_PORT_BAD_ARG},
      {"COM1", bytes, -4, "write_port: Error: invalid param len: -4\n", WRITE_PORT_BAD_ARG},
  };
  for (const auto& row : rows) {
    Console c("");
    EXPECT_EQ(write_port(c, port, row.name, row.buf, row.count), row.result);
    EXPECT_EQ(c.output(), row.message);
  }
  EXPECT_EQ(script.written, "");
}

TEST_F(PortIo, AWholeWriteReturnsTheCount) {
  EXPECT_EQ(write_port(con, port, "COM1", bytes, 5), 5);
  EXPECT_EQ(script.written, "hello");
  EXPECT_EQ(con.output(), "");
}

TEST_F(PortIo, AShortWriteIsAFailedWrite) {
  script.write_accepts = 3;
  EXPECT_EQ(write_port(con, port, "COM1", bytes, 5), WRITE_PORT_FAILED);
  EXPECT_EQ(con.output(), "\a\aError: wrote 3 of 5, got error on port COM1: " +
                              port_error_text(PortError::kTimedOut) + "\n");
}

TEST_F(PortIo, AFailedWriteSaysHowFarItGot) {
  script.write_accepts = 2;
  script.fail_write = true;
  EXPECT_EQ(write_port(con, port, "COM1", bytes, 5), WRITE_PORT_FAILED);
  EXPECT_EQ(con.output(), "\a\aError: wrote 2 of 5, got error on port COM1: " +
                              port_error_text(PortError::kIo) + "\n");
}

TEST_F(PortIo, WritingToAClosedPortFails) {
  port.close();
  EXPECT_EQ(write_port(con, port, "COM1", bytes, 5), WRITE_PORT_FAILED);
  EXPECT_EQ(con.output(), "\a\aError: wrote 0 of 5, got error on port COM1: " +
                              port_error_text(PortError::kBadHandle) + "\n");
}

TEST_F(PortIo, PurgeActsOnTheOpenPortOnly) {
  purge_port(port);
  EXPECT_EQ(script.purges, 1);
  port.close();
  purge_port(port);
  EXPECT_EQ(script.purges, 1);
}

TEST_F(PortIo, EachReadSetsItsOwnReadTimeouts) {
  std::uint8_t buf[100];
  EXPECT_EQ(read_port(con, port, "COM1", buf, 100, 20000), 0);
  EXPECT_EQ(read_port(con, port, "COM1", buf, 1, 0), 0);
  ASSERT_EQ(script.timeouts_set.size(), 2u);
  const PortTimeouts& t = script.timeouts_set[0];
  EXPECT_EQ(t.read_interval, 0u);
  EXPECT_EQ(t.read_total_multiplier, 1u);
  EXPECT_EQ(t.read_total_constant, 20010u);
  EXPECT_EQ(t.write_total_multiplier, 2u);
  EXPECT_EQ(t.write_total_constant, 10u);
  EXPECT_EQ(read_budget_ms(t, 100), 20110u);
  EXPECT_EQ(script.timeouts_set[1].read_total_constant, 1u);  // a timeout of 0: as set at open
  EXPECT_EQ(port.port_timeouts.read_total_constant, 1u);      // the open timeouts stay
}

TEST_F(PortIo, AFatalReportWithCodeZeroReturns) {
  set_port_error(PortError::kIo);
  read_port_fatal(con, 0, "text\n");
  EXPECT_EQ(con.errors(), "text\nReturn code 0, system error code " +
                              std::to_string(port_error_code(PortError::kIo)) + "\n");
  EXPECT_EQ(con.output(), "");
}

TEST_F(PortIo, AFatalReportEndsThroughTheFatalEndPutIn) {
  set_read_fatal_end([] { throw std::runtime_error("ended"); });
  EXPECT_THROW(read_port(con, port, "COM1", nullptr, 1, 100), std::runtime_error);
  set_read_fatal_end(nullptr);
  EXPECT_EQ(con.errors().rfind("read_port: Error: invalid param buf ptr\nReturn code 25,", 0), 0U);
}

TEST(PortHandle, ClosingForgetsTheOpenState) {
  FakePortScript script;
  PortHandle port;
  EXPECT_FALSE(port.is_open());
  port.attach(std::make_unique<FakePortDevice>(script));
  port.port_dcb.baud_rate = 9600;
  PortHandle moved = std::move(port);
  EXPECT_TRUE(moved.is_open());
  EXPECT_FALSE(script.closed);
  moved.close();
  EXPECT_TRUE(script.closed);
  EXPECT_FALSE(moved.is_open());
  EXPECT_EQ(moved.port_dcb.baud_rate, 0u);
  moved.close();  // twice is harmless
  EXPECT_FALSE(moved.is_open());
  EXPECT_TRUE(script.closed);
}

}  // namespace
