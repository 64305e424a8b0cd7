#include "pty_driver.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "emu_dump.h"
#include "emu_text.h"

namespace {

volatile std::sig_atomic_t stop_signal = 0;

void on_stop(int sig) { stop_signal = sig; }

// SIGINT and SIGTERM stay blocked except inside the poll, so a signal always
// ends a wait and never falls between the check and the wait. Returns the
// mask for the poll.
sigset_t block_stop_signals() {
  struct sigaction sa {};
  sa.sa_handler = on_stop;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  sigset_t stops;
  sigset_t before;
  sigemptyset(&stops);
  sigaddset(&stops, SIGINT);
  sigaddset(&stops, SIGTERM);
  sigprocmask(SIG_BLOCK, &stops, &before);
  sigdelset(&before, SIGINT);
  sigdelset(&before, SIGTERM);
  return before;
}

std::string trimmed(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

}  // namespace

PtyDriver::PtyDriver(const EmuCli& cli, std::FILE* log)
    : cli_(cli), log_(log), model_(cli.options), stdin_open_(cli.read_stdin) {
  model_.set_log([this](EmuTime t, const std::string& text) {
    std::fprintf(log_, "%s\n", log_line(t, text).c_str());
    std::fflush(log_);
  });
  model_.set_rate_source([this] { return line_.host_rate(); });
  model_.set_on_transfer_end([this](TransferKind kind) { write_dump(kind); });
  if (!cli_.wire_path.empty()) {
    wire_ = std::fopen(cli_.wire_path.c_str(), "w");
    if (wire_ == nullptr) event("cannot write " + cli_.wire_path + ": " + std::strerror(errno));
  }
}

PtyDriver::~PtyDriver() {
  if (wire_ != nullptr) std::fclose(wire_);
}

void PtyDriver::record_wire(const char* side, const std::uint8_t* bytes, std::size_t count) const {
  if (wire_ == nullptr || count == 0) return;
  std::fputs(side, wire_);
  for (std::size_t i = 0; i < count; ++i) std::fprintf(wire_, " %02x", bytes[i]);
  std::fputc('\n', wire_);
  std::fflush(wire_);
}

EmuTime PtyDriver::now() const {
  return std::chrono::duration_cast<EmuTime>(std::chrono::steady_clock::now() - start_);
}

void PtyDriver::event(const std::string& text) const {
  std::fprintf(log_, "%s\n", log_line(now(), text).c_str());
  std::fflush(log_);
}

int PtyDriver::run() {
  wait_mask_ = block_stop_signals();
  if (!new_line()) return 1;
  while (stop_signal == 0) {
    const EmuTime t = now();
    watch_host(t);
    model_.advance(t);
    write_host(t);
    if (model_.hung_up()) {
      replace_line(t);
      if (!line_.slave_path().empty()) continue;
      return 1;
    }
    if (!wait(t)) break;
  }
  event(stop_signal != 0 ? "stopped by signal " + std::to_string(stop_signal)
                         : std::string("end of standard input"));
  if (!cli_.link_path.empty()) ::unlink(cli_.link_path.c_str());
  return 0;
}

bool PtyDriver::new_line() {
  if (!line_.create()) {
    std::fprintf(stderr, "ktreva-emu: cannot make a pseudo-terminal: %s\n", std::strerror(errno));
    return false;
  }
  event("pseudo-terminal " + line_.slave_path());
  if (!cli_.link_path.empty()) {
    // A new link replaces the old in one step, so the path never dangles.
    const std::string staged = cli_.link_path + ".new";
    ::unlink(staged.c_str());
    if (::symlink(line_.slave_path().c_str(), staged.c_str()) != 0 ||
        ::rename(staged.c_str(), cli_.link_path.c_str()) != 0) {
      event("cannot link " + cli_.link_path + ": " + std::strerror(errno));
    }
  }
  // Last: whoever reads the path may use the link at once.
  std::printf("%s\n", line_.slave_path().c_str());
  std::fflush(stdout);
  return true;
}

// The master is read before the watch, so every byte read was written before
// the opens and closes reported next. Across one of them the bytes belong to
// the side that had a host; across a close and a reopen they cannot be told
// apart and are dropped, like bytes sent to a device still powering on.
void PtyDriver::watch_host(EmuTime t) {
  read_host();
  edges_.clear();
  if (line_.take_sessions(edges_) < 0) return recount(t);
  if (edges_.size() > 1) input_.clear();
  for (const SessionEdge edge : edges_) {
    if (edge == SessionEdge::kBegin) {
      begin_session(t);
    } else {
      deliver(t);
      end_session(t);
    }
  }
  deliver(t);
}

void PtyDriver::read_host() {
  std::uint8_t buf[512];
  for (;;) {
    const ssize_t n = ::read(line_.master(), buf, sizeof buf);
    if (n <= 0) return;  // drained (EAGAIN), or no host holds the slave (EIO)
    input_.insert(input_.end(), buf, buf + n);
  }
}

void PtyDriver::deliver(EmuTime t) {
  if (attached_) {
    record_wire("host", input_.data(), input_.size());
    model_.receive(t, input_);
  }
  input_.clear();
}

void PtyDriver::begin_session(EmuTime t) {
  attached_ = true;
  pending_.clear();
  model_.open_session(t);
}

// Nothing of this session may reach the next host: what the device still had
// to send, and what it wrote that the host never read.
void PtyDriver::end_session(EmuTime t) {
  attached_ = false;
  pending_.clear();
  model_.close_session(t);
  line_.flush();
}

// Reports were lost: whatever session there was ends, and one begins if the
// slave is held now.
void PtyDriver::recount(EmuTime t) {
  event("opens and closes of " + line_.slave_path() + " were lost; counting again");
  input_.clear();
  if (attached_) end_session(t);
  if (line_.host_attached()) begin_session(t);
}

void PtyDriver::write_host(EmuTime t) {
  std::uint8_t buf[512];
  for (std::size_t n; (n = model_.take_output(t, buf)) > 0;) {
    if (attached_) pending_.insert(pending_.end(), buf, buf + n);
  }
  while (attached_ && !pending_.empty()) {
    const ssize_t n = ::write(line_.master(), pending_.data(), pending_.size());
    if (n <= 0) return;  // the terminal is full: the poll waits for room
    record_wire("device", pending_.data(), static_cast<std::size_t>(n));
    pending_.erase(pending_.begin(), pending_.begin() + n);
  }
}

void PtyDriver::replace_line(EmuTime t) {
  event("closing " + line_.slave_path());
  model_.close_session(t);
  attached_ = false;
  pending_.clear();
  input_.clear();
  line_.close();
  new_line();
}

bool PtyDriver::wait(EmuTime t) {
  pollfd fds[3];
  nfds_t n = 0;
  if (stdin_open_) fds[n++] = {STDIN_FILENO, POLLIN, 0};
  fds[n++] = {line_.watch_fd(), POLLIN, 0};
  // A master that reports a hang-up is ready at once and stays so; the watch
  // tells when a host is back.
  if (attached_ && line_.host_attached()) {
    fds[n++] = {line_.master(), static_cast<short>(POLLIN | (pending_.empty() ? 0 : POLLOUT)), 0};
  }
  std::optional<EmuTime> until;
  if (const auto next = model_.next_wake()) until = std::max(EmuTime{0}, *next - t);
  timespec ts{};
  if (until) {
    ts.tv_sec = static_cast<time_t>(until->count() / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(until->count() % 1'000'000'000);
  }
  if (::ppoll(fds, n, until ? &ts : nullptr, &wait_mask_) <= 0) return true;
  const bool input = stdin_open_ && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
  return !input || read_stdin(now());
}

// Lines of the operator: "power" powers the device on again.
bool PtyDriver::read_stdin(EmuTime t) {
  char buf[256];
  const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  if (n <= 0) {
    stdin_open_ = false;
    return false;
  }
  stdin_buf_.append(buf, static_cast<std::size_t>(n));
  for (std::size_t end; (end = stdin_buf_.find('\n')) != std::string::npos;) {
    const std::string line = trimmed(stdin_buf_.substr(0, end));
    stdin_buf_.erase(0, end + 1);
    if (line == "power") {
      event("operator: power");
      model_.power(t);
    } else if (!line.empty()) {
      event("operator: unknown line '" + visible_text(line) + "' (only \"power\" is known)");
    }
  }
  return true;
}

void PtyDriver::write_dump(TransferKind kind) const {
  if (cli_.dump_path.empty()) return;
  const std::string text = kind == TransferKind::kDownload ? download_dump(model_.download())
                                                           : upload_dump(model_.upload());
  std::FILE* f = std::fopen(cli_.dump_path.c_str(), "w");
  if (f == nullptr || std::fputs(text.c_str(), f) < 0) {
    event("cannot write " + cli_.dump_path + ": " + std::strerror(errno));
  } else {
    event("dump written to " + cli_.dump_path);
  }
  if (f != nullptr) std::fclose(f);
}
