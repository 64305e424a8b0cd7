#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

void child_exec(const std::vector<std::string>& argv, int in_fd, int out_fd, int err_fd,
                const std::filesystem::path& cwd) {
  dup2(in_fd, 0);
  dup2(out_fd, 1);
  dup2(err_fd, 2);
  exec_in(argv, cwd);
}

// Feeds the input and collects both outputs until the child closes them.
void pump(int in_fd, int out_fd, int err_fd, const std::string& input, RunResult& result,
          std::chrono::steady_clock::time_point deadline) {
  std::size_t sent = 0;
  if (input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  while (out_fd >= 0 || err_fd >= 0) {
    pollfd fds[3] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}, {in_fd, POLLOUT, 0}};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.timed_out = true;
      break;
    }
    if (poll(fds, 3, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      char buf[4096];
      const ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        (i == 0 ? result.out : result.err).append(buf, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        (i == 0 ? out_fd : err_fd) = -1;
      }
    }
    if (in_fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(in_fd, input.data() + sent, input.size() - sent);
      if (n > 0) sent += static_cast<std::size_t>(n);
      if (n < 0 || sent == input.size()) {
        close(in_fd);
        in_fd = -1;
      }
    }
  }
  for (int fd : {in_fd, out_fd, err_fd}) {
    if (fd >= 0) close(fd);
  }
}

}  // namespace

void exec_in(const std::vector<std::string>& argv, const std::filesystem::path& cwd) {
  if (chdir(cwd.c_str()) != 0) _exit(126);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

RunResult run_program(const std::vector<std::string>& argv, const std::string& input,
                      const std::filesystem::path& cwd, int timeout_seconds) {
  RunResult result;
  signal(SIGPIPE, SIG_IGN);
  int in_pipe[2], out_pipe[2], err_pipe[2];
  if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    close(in_pipe[1]);
    close(out_pipe[0]);
    close(err_pipe[0]);
    child_exec(argv, in_pipe[0], out_pipe[1], err_pipe[1], cwd);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  pump(in_pipe[1], out_pipe[0], err_pipe[0], input, result, deadline);
  if (result.timed_out) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.term_signal = WTERMSIG(status);
  return result;
}

std::string visible(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    switch (c) {
      case '\a':
        shown += "\\a";
        break;
      case '\t':
        shown += "\\t";
        break;
      case '\r':
        shown += "\\r";
        break;
      case '\n':
        shown += "\\n\n";
        break;
      default:
        if (c < 0x20 || c > 0x7E) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          shown += hex;
        } else {
          shown += static_cast<char>(c);
        }
    }
  }
  return shown;
}

std::string describe_mismatch(const std::string& want, const std::string& got) {
  if (want == got) return {};
  std::size_t at = 0;
  while (at < want.size() && at < got.size() && want[at] == got[at]) ++at;
  const std::size_t from = at > 80 ? at - 80 : 0;
  return "first difference at byte " + std::to_string(at) + " (expected " +
         std::to_string(want.size()) + " bytes, got " + std::to_string(got.size()) +
         ")\n--- expected from byte " + std::to_string(from) + ":\n" +
         visible(want.substr(from, 240)) + "\n--- got from byte " + std::to_string(from) + ":\n" +
         visible(got.substr(from, 240)) + "\n";
}
