#include "console/console.h"

#include <vector>

#include "console/interrupts.h"

Console::Console() = default;

Console::Console(std::string input) : memory_(true), in_(std::move(input)) {}

Console::~Console() { set_log(nullptr); }

void Console::set_log(std::FILE* log, const std::string& name) {
  if (log_ != nullptr) write_err(log_->finish());
  log_.reset(log == nullptr ? nullptr : new SessionLog(log, name));
}

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

// A log that cannot be written is reported on the screen alone.
void Console::log(std::string_view text) {
  if (log_ != nullptr && !text.empty()) write_err(log_->write(text));
}

void Console::write_out(std::string_view text) {
  log(text);
  const std::size_t line_end = text.rfind('\n');
  if (line_end == std::string_view::npos) {
    screen_line_.append(text);
  } else {
    screen_line_.assign(text.substr(line_end + 1));
  }
  if (memory_) {
    out_.append(text);
  } else if (!text.empty()) {
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
}

void Console::write_err(std::string_view text) {
  if (memory_) {
    err_.append(text);
  } else if (!text.empty()) {
    std::fwrite(text.data(), 1, text.size(), stderr);
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
  const std::string text = vformat_text(fmt, args);
  va_end(args);
  log(text);
  write_err(text);
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
  if (editor_ != nullptr) return read_answer(buf, cap);
  return read_from(buf, cap, [this] { return next_char(); });
}

// The question's last line is drawn again as the editor's prompt, over
// itself, so that the editor knows where the answer begins.
bool Console::read_answer(char* buf, std::size_t cap) {
  if (!memory_) std::fputs("\r", stdout);
  std::optional<std::string> line = editor_->read_answer(screen_line_.c_str());
  service_interrupt();
  screen_line_.clear();
  if (!line) return false;
  *line += '\n';
  log(*line);
  return take_typed(buf, cap, *line);
}

// A line the editor gave, with its line end, read into `buf` as the same
// keys piped in would.
bool Console::take_typed(char* buf, std::size_t cap, const std::string& line) {
  std::size_t pos = 0;
  return read_from(
      buf, cap, [&] { return pos < line.size() ? static_cast<unsigned char>(line[pos++]) : EOF; });
}

bool Console::read_command(char* buf, std::size_t cap, const char* prompt) {
  // A Ctrl-C during the last command that found no wait to end.
  service_interrupt();
  if (editor_ == nullptr) {
    print("%s", prompt);
    return read_from(buf, cap, [this] { return next_char(); });
  }
  std::optional<std::string> line;
  if (!ended_) {
    const InterruptPolicyScope drop_line(InterruptPolicy::kDropLine);
    line = editor_->read(prompt);
  }
  // The editor showed the prompt and the line on the screen itself.
  log(prompt);
  screen_line_.clear();
  if (!line) {
    ended_ = true;
    return false;
  }
  typed_ = std::move(*line);  // for the history
  const std::string typed = typed_ + "\n";
  log(typed);
  return take_typed(buf, cap, typed);
}

void Console::remember_command() {
  if (editor_ != nullptr && !typed_.empty()) editor_->remember(typed_);
}
