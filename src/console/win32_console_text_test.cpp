#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "console/console_text.h"
#include "support/scratch_dir.h"

namespace {

// A name typed at the console, as the console hands it over, opens the file
// of that name; the bytes of the console's own code page would name another.
TEST(ConsoleText, ANameTypedAtTheConsoleReachesTheFileSystemAsTyped) {
  ScratchDir dir;
  const std::wstring name = std::filesystem::path(dir.path()).wstring() + L"\\J\u00f6rg.txt";
  std::FILE* made = _wfopen(name.c_str(), L"wb");
  ASSERT_NE(made, nullptr);
  std::fputs("station", made);
  std::fclose(made);

  const std::string typed = console_text_to_ansi(name);
  std::FILE* opened = std::fopen(typed.c_str(), "rb");
  EXPECT_NE(opened, nullptr) << typed;
  if (opened != nullptr) std::fclose(opened);

  char oem[MAX_PATH] = {};
  WideCharToMultiByte(CP_OEMCP, 0, name.c_str(), -1, oem, MAX_PATH, nullptr, nullptr);
  if (GetOEMCP() != GetACP()) {
    EXPECT_NE(std::string(oem), typed);
  }
}

TEST(ConsoleText, AsciiPassesUnchangedAndTextGoesBackAsTyped) {
  EXPECT_EQ(console_text_to_ansi(L"configure station.txt"), "configure station.txt");
  EXPECT_EQ(console_text_to_ansi(L""), "");
  EXPECT_EQ(ansi_to_console_text(console_text_to_ansi(L"J\u00f6rg")), L"J\u00f6rg");
  EXPECT_EQ(ansi_to_console_text("\a\aError: x\n"), L"\a\aError: x\n");
}

}  // namespace
