#include "console/console.h"

#include <vector>

Console::Console() = default;

Console::Console(std::string input) : memory_(true), in_(std::move(input)) {}

std::string vformat_text(const char* fmt, va_list args) {
  va_list again;
  va_copy(again, args);
  char small[512];
  const int n = std::vsnprintf(small, sizeof small, fmt, args);
  std::string text;
  if (n < 0) {
    va_end(again);
    return text;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    text.assign(small, static_cast<std::size_t>(n));
  } else {
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, again);
    text.assign(big.data(), static_cast<std::size_t>(n));
  }
  va_end(again);
  return text;
}

std::string format_text(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string text = vformat_text(fmt, args);
  va_end(args);
  return text;
}

void Console::log(std::string_view text) {
  if (log_ != nullptr && !text.empty()) {
    std::fwrite(text.data(), 1, text.size(), log_);
    std::fflush(log_);
  }
}

void Console::write_out(std::string_view text) {
  log(text);
  if (memory_) {
    out_.append(text);
  } else if (!text.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
}

void Console::put(std::string_view text) { write_out(text); }

void Console::vprint(const char* fmt, va_list args) { write_out(vformat_text(fmt, args)); }

void Console::print(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  vprint(fmt, args);
  va_end(args);
}

void Console::error(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string text = vformat_text(fmt, args);
  va_end(args);
  if (memory_) {
    err_.append(text);
  } else {
    std::fwrite(text.data(), 1, text.size(), stderr);
  }
}

int Console::next_char() {
  int c = EOF;
  if (memory_) {
    if (in_pos_ < in_.size()) c = static_cast<unsigned char>(in_[in_pos_++]);
  } else {
    c = std::getc(stdin);
  }
  // What was typed shows on a terminal's screen as it is typed.
  if (c != EOF) {
    const char typed = static_cast<char>(c);
    log(std::string_view(&typed, 1));
  }
  return c;
}

// The line reading of read_line, over any source of characters.
template <typename NextChar>
bool Console::read_from(char* buf, std::size_t cap, NextChar source) {
  if (cap == 0) return false;
  auto next = [&] {
    const int c = source();
    if (c == EOF) ended_ = true;
    return c;
  };
  std::size_t n = 0;
  int c = EOF;
  bool any = false;
  while (n + 1 < cap && (c = next()) != EOF) {
    any = true;
    buf[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (n >= 2 && buf[n - 1] == '\n' && buf[n - 2] == '\r') {
    buf[n - 2] = '\n';
    --n;
  }
  buf[n] = '\0';
  const bool cut = n + 1 >= cap && (n == 0 || buf[n - 1] != '\n') && c != EOF;
  if (cut) {
    std::size_t dropped = 0;
    while ((c = next()) != EOF && c != '\n') ++dropped;
    // A CR LF that the buffer split in two is still a line end.
    if (c == '\n' && dropped == 0 && n > 0 && buf[n - 1] == '\r') buf[n - 1] = '\n';
  }
  return any;
}

bool Console::read_line(char* buf, std::size_t cap) {
  return read_from(buf, cap, [this] { return next_char(); });
}

bool Console::read_command(char* buf, std::size_t cap, const char* prompt) {
  if (editor_ == nullptr) {
    print("%s", prompt);
    return read_line(buf, cap);
  }
  std::optional<std::string> line;
  if (!ended_) line = editor_->read(prompt);
  // The editor showed the prompt and the line on the screen itself.
  log(prompt);
  if (!line) {
    ended_ = true;
    return false;
  }
  typed_ = std::move(*line);
  typed_ += '\n';
  log(typed_);
  std::size_t pos = 0;
  const bool any = read_from(buf, cap, [&] {
    return pos < typed_.size() ? static_cast<unsigned char>(typed_[pos++]) : EOF;
  });
  typed_.pop_back();
  return any;
}

void Console::remember_command() {
  if (editor_ != nullptr && !typed_.empty()) editor_->remember(typed_);
}
