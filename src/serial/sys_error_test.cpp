#include "serial/sys_error.h"

#include <gtest/gtest.h>

#include <string>

#include "serial/serial.h"
#include "support/fake_port_device.h"

namespace {

std::string trimmed(std::string text) {
  trim_system_text(text.data());
  return text.c_str();
}

TEST(SysErrorText, DropsOnlyAFinalLineFeed) {
  EXPECT_EQ(trimmed("The system cannot find the file specified.\r\n"),
            "The system cannot find the file specified.\r");
  EXPECT_EQ(trimmed("Access is denied.\n"), "Access is denied.");
  EXPECT_EQ(trimmed("No such file or directory"), "No such file or directory");
  EXPECT_EQ(trimmed("\n"), "");
  EXPECT_EQ(trimmed(""), "");
}

// The port tests tell failures apart by these texts.
TEST(SysErrorText, EachPortErrorHasItsOwnTextAndStaysTheLastError) {
  const PortError errors[] = {PortError::kBadHandle, PortError::kTimedOut, PortError::kIo};
  for (PortError error : errors) {
    set_port_error(error);
    const std::string text = sys_error_text();
    EXPECT_EQ(sys_error_code(), port_error_code(error));
    EXPECT_FALSE(text.empty());
    for (PortError other : errors) {
      if (other != error) {
        EXPECT_NE(text, port_error_text(other));
      }
    }
  }
}

}  // namespace
