#pragma once
// The one place where the utility talks to the operator.
//
// Messages are printf formats that must come out byte for byte, so the console
// formats with vsnprintf and writes the bytes unchanged. A console either sits
// on the process's stdin/stdout/stderr or, in tests, on memory: input from a
// string, output and error output captured into strings.

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "console/line_editor.h"
#include "console/session_log.h"

#if defined(__GNUC__)
#define KT_PRINTF(fmt_index, first_arg) __attribute__((format(printf, fmt_index, first_arg)))
#else
#define KT_PRINTF(fmt_index, first_arg)
#endif

// Room for one line the operator types, or one piece of a line of a file:
// 255 characters and a terminator.
constexpr std::size_t LINE_SIZE = 256;

class Console {
 public:
  // Sits on stdin, stdout and stderr.
  Console();
  // Reads its input from `input` and captures everything it prints.
  explicit Console(std::string input);

  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void print(const char* fmt, ...) KT_PRINTF(2, 3);
  void vprint(const char* fmt, va_list args);
  void put(std::string_view text);
  // Standard error: the fatal serial read report and the reports about the
  // session itself go there. The log takes them too, in their place.
  void error(const char* fmt, ...) KT_PRINTF(2, 3);

  // Reads one line of at most cap-1 characters, like fgets, and terminates it.
  // A CR LF line end reads as LF. The rest of a line too long for the buffer
  // is read and thrown away, so it can never be taken as a line of its own.
  // Returns false at end of input (or a read error) when nothing was read.
  // With a line editor the answer is typed with its editing keys, after
  // the question's last line as its prompt; the end of input there (Ctrl-D)
  // answers this question only, and the prompt still reads on.
  bool read_line(char* buf, std::size_t cap);

  // From now on, a copy of the output and of every character read goes to
  // `log` (null: none), named `name` in a report of a failed write, so that
  // it reads like the screen of a terminal.
  void set_log(std::FILE* log, const std::string& name = "");

  // Reads one command line after `prompt`. With a line editor the editor
  // shows the prompt and the line typed reads as the same keys piped in
  // would; without one the prompt is printed and the line read as above.
  // Once the input has ended it stays ended, as a stream's end does.
  bool read_command(char* buf, std::size_t cap, const char* prompt);
  // Puts the command line just read into the editor's history.
  void remember_command();
  void use_line_editor(std::unique_ptr<LineEditor> editor) { editor_ = std::move(editor); }
  bool has_line_editor() const { return editor_ != nullptr; }

  // What a memory console has captured.
  const std::string& output() const { return out_; }
  const std::string& errors() const { return err_; }
  void clear_output() { out_.clear(); }

 private:
  int next_char();
  template <typename NextChar>
  bool read_from(char* buf, std::size_t cap, NextChar source);
  void write_out(std::string_view text);
  void write_err(std::string_view text);
  bool read_answer(char* buf, std::size_t cap);
  bool take_typed(char* buf, std::size_t cap, const std::string& line);

  void log(std::string_view text);

  bool memory_ = false;
  std::unique_ptr<SessionLog> log_;
  std::string screen_line_;  // what the screen's last line shows so far
  std::string in_;
  std::size_t in_pos_ = 0;
  std::string out_;
  std::string err_;
  std::unique_ptr<LineEditor> editor_;
  std::string typed_;   // the editor's last line, for the history
  bool ended_ = false;  // a read met the end of the input
};

// Formats like snprintf into a std::string.
std::string format_text(const char* fmt, ...) KT_PRINTF(1, 2);
std::string vformat_text(const char* fmt, va_list args);
