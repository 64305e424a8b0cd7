#include <gtest/gtest.h>

#include <cerrno>

#include "serial/serial.h"
#include "support/fake_port_device.h"

namespace {

TEST(PosixSysErrorText, IsTheStrerrorTextAndKeepsErrno) {
  errno = ENOENT;
  EXPECT_STREQ(sys_error_text(), "No such file or directory");
  EXPECT_EQ(errno, ENOENT);
  errno = EBUSY;
  EXPECT_STREQ(sys_error_text(), "Device or resource busy");
}

TEST(PosixSysErrorText, PortErrors) {
  EXPECT_EQ(port_error_text(PortError::kBadHandle), "Bad file descriptor");
  EXPECT_EQ(port_error_text(PortError::kTimedOut), "Connection timed out");
  EXPECT_EQ(port_error_text(PortError::kIo), "Input/output error");
}

}  // namespace
