#pragma once
// A program that runs beside a transcript, such as the device emulator: it
// starts before the utility, tells its address on the first line of its
// standard output, and is stopped after the run.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class BackgroundProgram {
 public:
  BackgroundProgram(const std::vector<std::string>& argv, const std::filesystem::path& cwd);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  bool started() const { return pid_ > 0; }
  // The first line of its standard output, without the newline; empty when
  // none came within `timeout_seconds`.
  std::string first_line(int timeout_seconds);
  // Ends its input, asks it to stop (SIGTERM), waits, and gives its exit
  // status (-1 when it did not exit normally). The rest of its standard
  // output is dropped.
  int stop();

 private:
  pid_t pid_ = -1;
  int in_fd_ = -1;
  int out_fd_ = -1;
  std::string pending_;
};
