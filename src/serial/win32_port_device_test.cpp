#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "serial/serial.h"
#include "serial/sys_error.h"

namespace {

std::string system_text(DWORD code) {
  char text[1024];
  sys_error_message(static_cast<int>(code), text, sizeof text);
  trim_system_text(text);
  return text;
}

TEST(Win32PortOpen, APortThatDoesNotExistIsRefusedWithTheSystemText) {
  char target[512];
  if (QueryDosDeviceA("COM9", target, sizeof target) != 0) {
    GTEST_SKIP() << "COM9 exists on this machine (" << target << ")";
  }
  Console con("");
  PortHandle port;
  EXPECT_EQ(open_port(con, port, "COM9", 9600), OpenPortResult::kCannotOpen);
  EXPECT_EQ(con.output(),
            "\a\aError: cannot open com port COM9: " + system_text(ERROR_FILE_NOT_FOUND) + "\n");
  EXPECT_FALSE(port.is_open());
}

}  // namespace
