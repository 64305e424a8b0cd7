#include "shell/line_completion.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "serial/port_names.h"
#include "shell/cmd_table.h"
#include "shell/file_completion.h"
#include "text/token_scanner.h"
#include "text/word_match.h"

namespace {

enum class WordKind { kCommand, kPort, kFile, kOther };

// What the argument at `index` (1 for the first) of a command is.
WordKind argument_kind(std::uint32_t code, std::size_t index) {
  switch (code) {
    case CMD_CONFIGURE:
    case CMD_RULES:
      return index == 1 ? WordKind::kFile : WordKind::kOther;
    case CMD_CONNECT:
      return index == 1 ? WordKind::kPort : WordKind::kOther;
    case CMD_FIRMWARE:
      return index == 1 ? WordKind::kPort : index == 2 ? WordKind::kFile : WordKind::kOther;
    default:
      return WordKind::kOther;
  }
}

Completion complete_command_word(const std::string& word, std::size_t start) {
  Completion completion;
  completion.word_start = start;
  for (const CmdEntry& entry : cmd_table) {
    if (!is_prefix_of(word.c_str(), entry.name)) continue;
    completion.texts.push_back(std::string(entry.name) + " ");
    completion.choices.push_back(entry.name);
  }
  return completion;
}

Completion complete_port(const std::string& word, std::size_t start) {
  Completion completion;
  completion.word_start = start;
  for (int n = 1; n <= PORT_NAMES_MAX; ++n) {
    const std::string name = "COM" + std::to_string(n);
    if (!is_prefix_of(word.c_str(), name.c_str())) continue;
    completion.texts.push_back(name + " ");
    completion.choices.push_back(name);
  }
  return completion;
}

Completion complete_word(WordKind kind, std::string_view word, std::size_t start) {
  switch (kind) {
    case WordKind::kCommand:
      return complete_command_word(std::string(word), start);
    case WordKind::kPort:
      return complete_port(std::string(word), start);
    case WordKind::kFile:
      return complete_file_name(word, start);
    default:
      return {};
  }
}

}  // namespace

Completion complete_command_line(std::string_view line) {
  const std::string_view separators(WORD_SEPARATORS);
  std::uint32_t code = CMD_REPEAT;  // no command with arguments until the word names one
  std::size_t pos = 0;
  for (std::size_t index = 0;; ++index) {
    pos = std::min(line.find_first_not_of(separators, pos), line.size());
    const WordKind kind = index == 0 ? WordKind::kCommand : argument_kind(code, index);
    if (kind == WordKind::kFile && pos < line.size() && line[pos] == '"') {
      const std::size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) return complete_file_name(line.substr(pos), pos);
      // A closed name is whole; the next word may follow the quote at once.
      pos = close + 1;
      if (pos == line.size()) return {};
      continue;
    }
    const std::size_t end = line.find_first_of(separators, pos);
    if (end == std::string_view::npos) return complete_word(kind, line.substr(pos), pos);
    if (index == 0) {
      const CmdMatch match = match_command(std::string(line.substr(pos, end - pos)).c_str());
      if (match.kind == MatchKind::kUnique) code = match.entry->code;
    }
    pos = end;
  }
}
