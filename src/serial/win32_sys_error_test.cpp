#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "serial/serial.h"

namespace {

// System messages end with CR LF: the LF goes, the CR stays (the operator's
// console shows both the same way).
TEST(Win32SysErrorText, KeepsTheCarriageReturnOfTheSystemText) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  const std::string text = sys_error_text();
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.back(), '\r');
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// FormatMessage fails for a code without a text and sets its own error;
// the code asked about stays the last error.
TEST(Win32SysErrorText, ACodeWithoutATextGivesAnEmptyTextAndStays) {
  const DWORD unknown = 0x2000ABCD;
  SetLastError(unknown);
  EXPECT_STREQ(sys_error_text(), "");
  EXPECT_EQ(GetLastError(), unknown);
}

}  // namespace
