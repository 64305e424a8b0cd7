// The Windows console edits lines itself (cursor keys, its own history of
// the session's lines, F7); what this editor adds is the reading of the line
// as the console holds it, in UTF-16, so that names beyond ASCII reach the
// file system as typed (console/console_text.h). Pipes read plain lines.
#include <windows.h>

#include <cstdio>

#include "console/console_text.h"
#include "console/line_editor.h"

namespace {

constexpr wchar_t CTRL_Z = 0x1A;

bool at_console(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

// One line up to its line end; nothing at the end of input: a failed read,
// none at all, or Ctrl-Z first on the line as the C library takes it.
std::optional<std::string> read_console_line() {
  std::wstring line;
  wchar_t chunk[256];
  while (line.empty() || line.back() != L'\n') {
    DWORD got = 0;
    if (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), chunk, 256, &got, nullptr) == 0 || got == 0) {
      break;
    }
    line.append(chunk, got);
  }
  if (line.empty() || line.front() == CTRL_Z) return std::nullopt;
  while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
  return console_text_to_ansi(line);
}

class ConsoleLineEditor final : public LineEditor {
 public:
  std::optional<std::string> read(const char* prompt) override {
    std::fputs(prompt, stdout);
    return read_console_line();
  }
  std::optional<std::string> read_answer(const char* prompt) override { return read(prompt); }
  void remember(const std::string&) override {}  // the console keeps its own
};

}  // namespace

std::unique_ptr<LineEditor> terminal_line_editor(Completer) {
  if (!at_console(STD_INPUT_HANDLE) || !at_console(STD_OUTPUT_HANDLE)) return nullptr;
  return std::make_unique<ConsoleLineEditor>();
}
