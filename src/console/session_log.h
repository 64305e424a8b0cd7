#pragma once
// The --log copy of the console, as it reads on a terminal's screen. A line
// that carriage returns redraw (the firmware progress) is kept as the screen
// finally shows it, not as every state it passed through, so the line being
// drawn is held until its line end comes. A carriage return just before a
// line end stays as it is.

#include <cstdio>
#include <string>
#include <string_view>

class SessionLog {
 public:
  SessionLog(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}
  ~SessionLog() { finish(); }
  SessionLog(const SessionLog&) = delete;
  SessionLog& operator=(const SessionLog&) = delete;

  // Takes text as the screen showed it. Empty, or, the first time a write
  // to the file fails, what to tell the operator.
  std::string write(std::string_view text);
  // Writes the line still held, without a line end.
  std::string finish();

 private:
  void put_char(char c);
  std::string flush_line(bool line_end);

  std::FILE* file_;
  std::string name_;
  std::string line_;          // the line being drawn
  std::size_t column_ = 0;    // where the next character lands in it
  bool return_held_ = false;  // a carriage return whose next character is not known yet
  bool failed_ = false;
};
