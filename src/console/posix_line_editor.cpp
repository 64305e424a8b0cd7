// The line editor of POSIX terminals: libedit through its readline interface.
// The history lasts for the session: it is never read from or written to a
// file, and libedit's settings file (~/.editrc) is not read either: the
// utility reads no settings files.
//
// The editor reads the keys itself, one byte at a time from the terminal, so
// that keys typed or pasted ahead stay in the terminal, in order, for the
// next read: a question's answer included, which goes through the same
// editor. Reading the keys here also lets Ctrl-C drop the line at the prompt
// (see console/interrupts.h).
#include <editline/readline.h>
#include <langinfo.h>
#include <poll.h>
#include <termcap.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>

#include "console/editor_matches.h"
#include "console/interrupt_wake.h"
#include "console/interrupts.h"
#include "console/line_editor.h"

namespace {

constexpr std::size_t HISTORY_SIZE = 500;

// libedit calls back without a context: the process has one editor.
Completer* active_completer = nullptr;
bool answering = false;     // a question is read: no completion
bool line_dropped = false;  // Ctrl-C at the prompt ended the line read
termios cooked_terminal{};  // the terminal's settings before any editing
bool have_cooked_terminal = false;

// An array that libedit frees, strings and all.
char** c_matches(const std::vector<std::string>& matches) {
  auto** array = static_cast<char**>(std::calloc(matches.size() + 1, sizeof(char*)));
  for (std::size_t i = 0; array != nullptr && i < matches.size(); ++i) {
    array[i] = strdup(matches[i].c_str());
    if (array[i] != nullptr) continue;
    for (std::size_t j = 0; j < i; ++j) std::free(array[j]);
    std::free(array);
    array = nullptr;
  }
  return array;
}

// `word` is libedit's word before the cursor, the part it will replace.
char** complete_at_cursor(const char* word, int, int) {
  rl_attempted_completion_over = 1;  // never libedit's own file names instead
  if (answering || active_completer == nullptr || rl_line_buffer == nullptr || rl_point < 0) {
    return nullptr;
  }
  const std::string_view line(rl_line_buffer, static_cast<std::size_t>(rl_point));
  const std::size_t span = std::strlen(word);
  if (span > line.size()) return nullptr;
  const std::vector<std::string> matches =
      editor_matches((*active_completer)(line), line, line.size() - span);
  return matches.empty() ? nullptr : c_matches(matches);
}

// What a Ctrl-C at this moment means for the key being read: a line end
// for a dropped line, the end of input for a session that ends, or nothing.
std::optional<int> key_for_interrupt() {
  if (take_dropped_line()) {
    line_dropped = true;
    return '\n';
  }
  if (session_ending()) return -1;
  return std::nullopt;
}

// Waits for a byte from the terminal, or a Ctrl-C; false at the end of input.
bool wait_for_byte(unsigned char& byte, std::optional<int>& interrupted) {
  pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {interrupt_wake_fd(), POLLIN, 0}};
  for (;;) {
    interrupted = key_for_interrupt();
    if (interrupted) return true;
    if (::poll(waits, waits[1].fd >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (waits[1].fd >= 0 && waits[1].revents != 0) drain_interrupt_wake();
    if (waits[0].revents == 0) continue;
    const ssize_t n = ::read(STDIN_FILENO, &byte, 1);
    if (n == 1) return true;
    if (n == 0 || errno != EINTR) return false;
  }
}

// One key as libedit takes it: a whole character, decoded by the locale
// from the bytes the terminal sends; -1 at the end of input. Ctrl-C at the
// prompt ends the line (the editor drops it); Ctrl-C meant to end the
// session ends the read.
int read_key(FILE*) {
  std::mbstate_t state{};
  for (;;) {
    unsigned char byte = 0;
    std::optional<int> interrupted;
    if (!wait_for_byte(byte, interrupted)) return -1;
    if (interrupted) return *interrupted;
    wchar_t wide = 0;
    const char c = static_cast<char>(byte);
    const std::size_t used = std::mbrtowc(&wide, &c, 1, &state);
    if (used == static_cast<std::size_t>(-2)) continue;  // more of the character to come
    if (used == static_cast<std::size_t>(-1)) {
      state = std::mbstate_t{};  // not a character here: skipped
      continue;
    }
    return static_cast<int>(wide);
  }
}

// A signal that ends the process while the terminal reads keys one by one
// leaves it as the shell expects it.
void restore_and_end(int signal_number) {
  if (have_cooked_terminal) tcsetattr(STDIN_FILENO, TCSANOW, &cooked_terminal);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void restore_terminal_on_signals() {
  have_cooked_terminal = tcgetattr(STDIN_FILENO, &cooked_terminal) == 0;
  for (const int signal_number : {SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action {};
    action.sa_handler = restore_and_end;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

// Characters beyond ASCII are kept only in a locale that has them; a
// terminal whose locale says plain ASCII is taken to send UTF-8.
void use_terminal_characters() {
  std::setlocale(LC_CTYPE, "");
  if (std::strcmp(nl_langinfo(CODESET), "ANSI_X3.4-1968") == 0) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
  }
}

// One that the terminal database describes. libedit would complain about any
// other on standard error and guess; the plain reading is the safe choice.
bool known_terminal() {
  const char* term = std::getenv("TERM");
  if (term == nullptr || *term == '\0' || std::strcmp(term, "dumb") == 0) return false;
  char entry[4096];  // room that BSD termcap wants; ncurses ignores it
  return tgetent(entry, term) > 0;
}

class EditLineEditor final : public LineEditor {
 public:
  explicit EditLineEditor(Completer completer) : completer_(std::move(completer)) {
    active_completer = &completer_;
    use_terminal_characters();
    rl_readline_name = "ktreva-host";
    rl_attempted_completion_function = complete_at_cursor;
    // Words break where the command loop splits them; the completer reads
    // quoted names itself and gives the blank or closing quote after a name.
    rl_basic_word_break_characters = " \t,";
    rl_completion_append_character = '\0';
    rl_getc_function = read_key;
    // libedit's own handlers would put the terminal back and send the
    // signal again; Ctrl-C is the utility's, the others end it below.
    rl_catch_signals = 0;
    restore_terminal_on_signals();
    // libedit sources $EDITRC, or else ~/.editrc, as it starts: an empty
    // file instead.
    setenv("EDITRC", "/dev/null", 1);
    rl_initialize();
  }
  ~EditLineEditor() override { active_completer = nullptr; }
  EditLineEditor(const EditLineEditor&) = delete;
  EditLineEditor& operator=(const EditLineEditor&) = delete;

  std::optional<std::string> read(const char* prompt) override {
    for (;;) {
      std::optional<std::string> line = read_one(prompt);
      if (!line_dropped) return line;
      line_dropped = false;
    }
  }

  // No history to walk and nothing to complete: the history is emptied
  // for the question and filled again after it.
  std::optional<std::string> read_answer(const char* prompt) override {
    clear_history();
    answering = true;
    std::optional<std::string> line = read_one(prompt);
    answering = false;
    line_dropped = false;
    for (const std::string& kept : history_) add_history(kept.c_str());
    return line;
  }

  void remember(const std::string& line) override {
    if (history_.size() == HISTORY_SIZE) history_.erase(history_.begin());
    history_.push_back(line);
    stifle_history(static_cast<int>(HISTORY_SIZE));
    add_history(line.c_str());
  }

 private:
  static std::optional<std::string> read_one(const char* prompt) {
    char* line = readline(prompt);
    if (line == nullptr) return std::nullopt;
    std::string text(line);
    std::free(line);
    return text;
  }

  Completer completer_;
  std::vector<std::string> history_;
};

}  // namespace

std::unique_ptr<LineEditor> terminal_line_editor(Completer completer) {
  if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0 || !known_terminal()) return nullptr;
  return std::make_unique<EditLineEditor>(std::move(completer));
}
