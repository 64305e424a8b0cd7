#include "console/console_text.h"

// A terminal shows the bytes it is sent.
void write_screen(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}
