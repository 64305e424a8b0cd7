#pragma once
// A program on a pseudo-terminal of its own (80 by 24, of type `term`), as an
// operator runs it in a terminal window: the test types keys and reads the
// screen's bytes. HOME is the working folder, so that no settings of the
// person running the tests reach the program. Every wait is bounded.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class TerminalProgram {
 public:
  TerminalProgram(const std::vector<std::string>& argv, const std::filesystem::path& cwd,
                  const std::string& term);
  ~TerminalProgram();
  TerminalProgram(const TerminalProgram&) = delete;
  TerminalProgram& operator=(const TerminalProgram&) = delete;

  bool started() const { return pid_ > 0; }
  void type(const std::string& keys);
  // Until `text` shows after what earlier waits found.
  bool wait_for(const std::string& text, int seconds);
  // Until the program reads keys one by one (a line editor's raw mode); keys
  // typed before go through the terminal's own line editing and echo.
  bool wait_for_raw_mode(int seconds);
  // Until the terminal edits lines again: the program has left its line
  // editor, to run a command.
  bool wait_for_line_mode(int seconds);
  // The exit status after the screen's end; -1 when none comes in time.
  int wait_exit(int seconds);
  const std::string& screen() const { return screen_; }

 private:
  bool read_some(int ms);
  bool wait_for_mode(bool lines,
                     int seconds);  // false at the end of the screen or after `ms` without bytes

  pid_t pid_ = -1;
  int master_ = -1;
  std::string screen_;
  std::size_t seen_ = 0;
};
