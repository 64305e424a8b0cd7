#pragma once
// A program on a pseudo-terminal of its own, as an operator runs it in a
// terminal window: the test types keys and reads the bytes of the screen.
// The terminal is 80 by 24 and of type `term`; HOME is the working folder,
// so no settings of the person running the tests reach the program.

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
  // Reads the screen until `text` shows after what earlier waits found;
  // false when it does not within `timeout_seconds`.
  bool wait_for(const std::string& text, int timeout_seconds);
  // Waits until the program reads keys one by one (a line editor's raw
  // mode): keys typed before are read by the terminal's own line editing,
  // which echoes them itself. False when it does not within the time.
  bool wait_for_raw_mode(int timeout_seconds);
  // Everything shown so far.
  const std::string& screen() const { return screen_; }
  // Reads the screen to its end and gives the exit status; -1 when the
  // program did not exit normally within `timeout_seconds` (it is killed).
  int wait_exit(int timeout_seconds);

 private:
  // False at the end of the screen's bytes or when none came in `ms`.
  bool read_some(int ms);

  pid_t pid_ = -1;
  int master_ = -1;
  std::string screen_;
  std::size_t seen_ = 0;
};
