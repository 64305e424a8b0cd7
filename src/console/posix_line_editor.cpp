// The line editor of POSIX terminals: libedit through its readline interface.
// The history lasts for the session: it is never read from or written to a
// file, and libedit's settings file (~/.editrc) is not read either: the
// utility reads no settings files.
#include <editline/readline.h>
#include <termcap.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "console/editor_matches.h"
#include "console/line_editor.h"

namespace {

constexpr int HISTORY_SIZE = 500;

// libedit calls back without a context: the process has one editor.
Completer* active_completer = nullptr;

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
  if (active_completer == nullptr || rl_line_buffer == nullptr || rl_point < 0) return nullptr;
  const std::string_view line(rl_line_buffer, static_cast<std::size_t>(rl_point));
  const std::size_t span = std::strlen(word);
  if (span > line.size()) return nullptr;
  const std::vector<std::string> matches =
      editor_matches((*active_completer)(line), line, line.size() - span);
  return matches.empty() ? nullptr : c_matches(matches);
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
    rl_readline_name = "ktreva-host";
    rl_attempted_completion_function = complete_at_cursor;
    // Words break where the command loop splits them; the completer reads
    // quoted names itself and gives the blank or closing quote after a name.
    rl_basic_word_break_characters = " \t,";
    rl_completion_append_character = '\0';
    // libedit sources $EDITRC, or else ~/.editrc, as it starts: an empty
    // file instead.
    setenv("EDITRC", "/dev/null", 1);
    rl_initialize();
    stifle_history(HISTORY_SIZE);
  }
  ~EditLineEditor() override { active_completer = nullptr; }
  EditLineEditor(const EditLineEditor&) = delete;
  EditLineEditor& operator=(const EditLineEditor&) = delete;

  std::optional<std::string> read(const char* prompt) override {
    char* line = readline(prompt);
    if (line == nullptr) return std::nullopt;
    std::string text(line);
    std::free(line);
    return text;
  }

  void remember(const std::string& line) override { add_history(line.c_str()); }

 private:
  Completer completer_;
};

}  // namespace

std::unique_ptr<LineEditor> terminal_line_editor(Completer completer) {
  if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0 || !known_terminal()) return nullptr;
  return std::make_unique<EditLineEditor>(std::move(completer));
}
