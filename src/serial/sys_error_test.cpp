#include "serial/sys_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "serial/serial.h"

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

TEST(SysErrorText, GivesTheTextOfTheLastErrorAndKeepsIt) {
  errno = ENOENT;
  EXPECT_STREQ(sys_error_text(), "No such file or directory");
  EXPECT_EQ(errno, ENOENT);
  errno = EBUSY;
  EXPECT_STREQ(sys_error_text(), "Device or resource busy");
}

}  // namespace
