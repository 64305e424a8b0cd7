#pragma once
// Editing the operator's command lines on a terminal: cursor keys, a history
// of this session's commands and Tab completion, where the platform has a
// line editor. Elsewhere (a pipe, a file, a build without one, the Windows
// console with its own editing) the console reads plain lines.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What Tab offers for the word that ends at the cursor.
struct Completion {
  std::size_t word_start = 0;        // where that word begins in the line
  std::vector<std::string> texts;    // each a whole replacement for the word
  std::vector<std::string> choices;  // the same candidates, as listed
};

// Works out the completion from the line's text up to the cursor.
using Completer = std::function<Completion(std::string_view before_cursor)>;

class LineEditor {
 public:
  virtual ~LineEditor() = default;
  // Shows `prompt` and gives the line typed, without its line end; nothing
  // at the end of input.
  virtual std::optional<std::string> read(const char* prompt) = 0;
  // The answer to a question that ends with `prompt`: the same editing
  // keys, but no history to walk and nothing to complete.
  virtual std::optional<std::string> read_answer(const char* prompt) = 0;
  // Adds a line to the history that Up and Down walk.
  virtual void remember(const std::string& line) = 0;
};

// The editor for a session whose standard input and output are both a
// terminal that the editor knows; null otherwise.
std::unique_ptr<LineEditor> terminal_line_editor(Completer completer);
