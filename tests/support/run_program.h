#pragma once
// Running the built program as the operator would: stdin from a text, stdout
// and stderr captured, in a chosen working folder, with a bound on its time.

#include <filesystem>
#include <string>
#include <vector>

struct RunResult {
  std::string out;
  std::string err;
  int exit_status = -1;  // -1 when it did not exit normally
  int term_signal = 0;
  bool timed_out = false;
};

RunResult run_program(const std::vector<std::string>& argv, const std::string& input,
                      const std::filesystem::path& cwd, int timeout_seconds);

// In a child process: becomes argv[0] with argv, in the folder cwd; exits
// with 126 or 127 when it cannot.
[[noreturn]] void exec_in(const std::vector<std::string>& argv, const std::filesystem::path& cwd);

// The whole file as bytes; empty when it cannot be read.
std::string read_file(const std::filesystem::path& path);

// Empty when equal; otherwise the first differing offset with both sides
// around it, BEL, tab, CR and LF made visible.
std::string describe_mismatch(const std::string& want, const std::string& got);

// The text with control characters shown as \a, \t, \r, \n or \xNN.
std::string visible(const std::string& text);
