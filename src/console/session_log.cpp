#include "console/session_log.h"

#include <cerrno>
#include <cstring>

void SessionLog::put_char(char c) {
  if (column_ < line_.size()) {
    line_[column_] = c;
  } else {
    line_ += c;
  }
  ++column_;
}

std::string SessionLog::flush_line(bool line_end) {
  if (line_end) line_ += '\n';
  const bool written =
      line_.empty() || (std::fwrite(line_.data(), 1, line_.size(), file_) == line_.size() &&
                        std::fflush(file_) == 0);
  line_.clear();
  column_ = 0;
  if (written || failed_) return {};
  failed_ = true;
  return "ktreva-host: cannot write the log file " + name_ + ": " + std::strerror(errno) + "\n";
}

std::string SessionLog::write(std::string_view text) {
  std::string problem;
  for (const char c : text) {
    if (return_held_) {
      return_held_ = false;
      if (c == '\n') {
        line_ += '\r';
      } else {
        column_ = 0;  // the line is drawn again from its start
      }
    }
    if (c == '\r') {
      return_held_ = true;
    } else if (c == '\n') {
      std::string failed = flush_line(true);
      if (problem.empty()) problem = std::move(failed);
    } else {
      put_char(c);
    }
  }
  return problem;
}

std::string SessionLog::finish() {
  if (return_held_) {
    return_held_ = false;
    column_ = 0;
  }
  return flush_line(false);
}
