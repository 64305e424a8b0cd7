#include "support/background_program.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "support/run_program.h"

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& argv,
                                     const std::filesystem::path& cwd) {
  int in_pipe[2], out_pipe[2];
  if (argv.empty() || pipe(in_pipe) != 0) return;
  if (pipe(out_pipe) != 0) {
    close(in_pipe[0]);
    close(in_pipe[1]);
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in_pipe[0], 0);
    dup2(out_pipe[1], 1);
    for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1]}) close(fd);
    exec_in(argv, cwd);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  in_fd_ = in_pipe[1];
  out_fd_ = out_pipe[0];
}

BackgroundProgram::~BackgroundProgram() { stop(); }

std::string BackgroundProgram::first_line(int timeout_seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  while (pending_.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{out_fd_, POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
    char buf[256];
    const ssize_t n = read(out_fd_, buf, sizeof buf);
    if (n <= 0) return {};
    pending_.append(buf, static_cast<std::size_t>(n));
  }
  return pending_.substr(0, pending_.find('\n'));
}

// Reads its output to the end, so that it never dies writing to a closed
// pipe; a program that does not end within 10 s is killed.
int BackgroundProgram::stop() {
  if (pid_ <= 0) return -1;
  close(in_fd_);
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{out_fd_, POLLIN, 0};
    char buf[4096];
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0 ||
        read(out_fd_, buf, sizeof buf) <= 0) {
      break;
    }
  }
  close(out_fd_);
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
