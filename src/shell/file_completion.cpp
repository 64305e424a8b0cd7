#include "shell/file_completion.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "text/token_scanner.h"

namespace fs = std::filesystem;

namespace {

struct FolderEntry {
  std::string name;
  bool folder = false;
};

// Hidden entries only when the operator has typed their leading dot.
std::vector<FolderEntry> entries_beginning(const std::string& folder, const std::string& start) {
  std::vector<FolderEntry> found;
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::string name = it->path().filename().string();
    if (name.compare(0, start.size(), start) != 0) continue;
    if (name[0] == '.' && (start.empty() || start[0] != '.')) continue;
    std::error_code kind_error;
    found.push_back({std::move(name), it->is_directory(kind_error)});
  }
  std::sort(found.begin(), found.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return found;
}

bool needs_quotes(const std::string& name) {
  return name.find_first_of(WORD_SEPARATORS) != std::string::npos;
}

}  // namespace

Completion complete_file_name(std::string_view word, std::size_t word_start) {
  const bool opened = !word.empty() && word[0] == '"';
  const std::string typed(opened ? word.substr(1) : word);
  const std::size_t slash = typed.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : typed.substr(0, slash + 1);
  const std::vector<FolderEntry> entries = entries_beginning(folder, typed.substr(folder.size()));
  const bool quote =
      opened || std::any_of(entries.begin(), entries.end(),
                            [&](const FolderEntry& e) { return needs_quotes(folder + e.name); });
  Completion completion;
  completion.word_start = word_start;
  for (const FolderEntry& entry : entries) {
    const std::string path = folder + entry.name;
    // A quote ends a quoted name, and begins one at the start of a bare word.
    if (quote ? path.find('"') != std::string::npos : path[0] == '"') continue;
    // A folder stays open for the next Tab; a file ends the argument.
    const char* end = entry.folder ? "/" : (quote ? "\" " : " ");
    completion.texts.push_back((quote ? "\"" : "") + path + end);
    completion.choices.push_back(entry.name + (entry.folder ? "/" : ""));
  }
  return completion;
}
