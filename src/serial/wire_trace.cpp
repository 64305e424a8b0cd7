#include "serial/wire_trace.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "console/console.h"

WireTrace::WireTrace(FilePtr file)
    : file_(std::move(file)), start_(std::chrono::steady_clock::now()) {}

double WireTrace::seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void WireTrace::line(const std::string& text) {
  const bool written = std::fputs(text.c_str(), file_.get()) >= 0 && std::fflush(file_.get()) == 0;
  if (written || failed_) return;
  failed_ = true;
  if (report_) {
    report_(format_text("ktreva-host: cannot write the trace file %s: %s\n", name_.c_str(),
                        std::strerror(errno)));
  }
}

void WireTrace::event(std::string_view what) {
  line(format_text("%.6f %.*s\n", seconds(), static_cast<int>(what.size()), what.data()));
}

void WireTrace::bytes(std::string_view what, const std::uint8_t* data, int count) {
  line(format_text("%.6f %.*s: %s\n", seconds(), static_cast<int>(what.size()), what.data(),
                   wire_bytes_text(data, count).c_str()));
}

std::string wire_bytes_text(const std::uint8_t* data, int count) {
  std::string hex;
  std::string text;
  for (int i = 0; i < count; ++i) {
    hex += format_text("%02x ", data[i]);
    text += data[i] >= 0x20 && data[i] < 0x7f ? static_cast<char>(data[i]) : '.';
  }
  return hex + "|" + text + "|";
}

std::string wire_reason(const char* text) {
  std::string reason;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\r' || *p == '\n') continue;
    reason += *p == ':' ? ';' : *p;
  }
  return reason;
}
