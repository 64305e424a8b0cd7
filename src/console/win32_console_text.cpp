#include <windows.h>

#include "console/console_text.h"

std::string console_text_to_ansi(std::wstring_view typed) {
  if (typed.empty()) return {};
  const int size = static_cast<int>(typed.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, typed.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, typed.data(), size, text.data(), n, nullptr, nullptr);
  return text;
}

std::wstring ansi_to_console_text(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
  return wide;
}

namespace {

bool beyond_ascii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

void write_screen(std::FILE* stream, std::string_view text) {
  HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (beyond_ascii(text) && GetConsoleMode(handle, &mode) != 0) {
    const std::wstring wide = ansi_to_console_text(text);
    std::fflush(stream);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
}
