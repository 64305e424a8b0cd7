#include "serial/traced_port_device.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/fake_port_device.h"
#include "support/scratch_dir.h"

namespace {

TEST(WireTraceText, BytesInHexThenTheirTextAndReasonsWithoutColons) {
  const std::uint8_t bytes[] = {0x00, 0x15, 'c', 'o', 0x7f, 0xff, ' '};
  EXPECT_EQ(wire_bytes_text(bytes, 7), "00 15 63 6f 7f ff 20 |..co.. |");
  EXPECT_EQ(wire_bytes_text(bytes, 0), "||");
  EXPECT_EQ(wire_reason("The device: is gone.\r\n"), "The device; is gone.");
  PortDcb dcb;
  dcb.baud_rate = 19200;
  dcb.byte_size = 8;
  EXPECT_EQ(line_settings_text(dcb),
            "line 19200 baud, 8 data bits, parity none, 1 stop bit, flow none");
  dcb.stop_bits = DCB_TWOSTOPBITS;
  dcb.parity = DCB_EVENPARITY;
  dcb.rts_control = DCB_RTS_CONTROL_HANDSHAKE;
  EXPECT_EQ(line_settings_text(dcb),
            "line 19200 baud, 8 data bits, parity even, 2 stop bits, flow on");
}

// The trace file with its times and durations masked.
std::string masked_trace(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string masked;
  for (std::string line; std::getline(in, line);) {
    masked += 'T';
    const std::size_t took = line.find(" took ");
    if (took == std::string::npos) {
      masked.append(line, line.find(' '));
    } else {
      masked.append(line, line.find(' '), took + 6 - line.find(' '));
      masked += 'X';
      masked.append(line, line.find(" s ", took));
    }
    masked += '\n';
  }
  return masked;
}

TEST(TracedPortDevice, FailuresAreTracedWithTheirReasonAndTheErrorKept) {
  ScratchDir dir;
  const std::string path = dir.path("trace.txt");
  FakePortScript script;
  script.fail_set_state = true;
  script.write_accepts = 2;
  {
    WireTrace trace(FilePtr(std::fopen(path.c_str(), "wb")));
    const PortOpener opener = traced_opener(
        [&](const char*) { return std::make_unique<FakePortDevice>(script); }, trace, "COM3", 4800);
    std::unique_ptr<PortDevice> device = opener("/dev/ttyX");
    EXPECT_FALSE(device->set_state(PortDcb{}));
    EXPECT_EQ(sys_error_code(), port_error_code(PortError::kIo));
    int written = 0;
    EXPECT_FALSE(device->write("hello", 5, written));
    EXPECT_EQ(sys_error_code(), port_error_code(PortError::kTimedOut));
    PortTimeouts t;
    t.read_total_multiplier = 2;
    t.read_total_constant = 5010;
    EXPECT_TRUE(device->set_timeouts(t));
    EXPECT_TRUE(device->set_timeouts(t));  // a read's own: no line
    unsigned char buf[4];
    int got = -1;
    EXPECT_TRUE(device->read(buf, 4, got));
  }
  EXPECT_EQ(masked_trace(path),
            "T open COM3 /dev/ttyX 4800 baud, opened\n"
            "T line 0 baud, 0 data bits, parity none, 1 stop bit, flow none, failed (" +
                wire_reason(port_error_text(PortError::kIo).c_str()) +
                ")\n"
                "T TX 5/2, failed (" +
                wire_reason(port_error_text(PortError::kTimedOut).c_str()) +
                "): 68 65 |he|\n"
                "T timeouts read interval 0 ms, read total 2 ms a byte + 5010 ms, write total 0 "
                "ms a byte + 0 ms\n"
                "T RX 4 within 5018 ms took " +
                "X s got 0, timed out: ||\nT close\n");
}

}  // namespace
