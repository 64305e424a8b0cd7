#pragma once
// Case-blind word comparisons of commands, keywords and rule words. ASCII
// letters only, so bytes above 0x7F compare as they are, whatever the locale.

inline char ascii_lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The whole of `word` equals the whole of `name`.
inline bool same_word(const char* word, const char* name) {
  for (; *word != '\0' && *name != '\0'; ++word, ++name) {
    if (ascii_lower(*word) != ascii_lower(*name)) return false;
  }
  return *word == *name;
}

// The whole of `word` equals the beginning of `name`.
inline bool is_prefix_of(const char* word, const char* name) {
  for (; *word != '\0'; ++word, ++name) {
    if (*name == '\0' || ascii_lower(*word) != ascii_lower(*name)) return false;
  }
  return true;
}

// Counts the rows of a keyword table whose `keyword` begins with `token`, in
// table order; `*match` gets the last row matched, or null.
template <typename Row, typename Table>
int match_keyword(const char* token, const Table& table, const Row** match) {
  int count = 0;
  *match = nullptr;
  for (const Row& row : table) {
    if (is_prefix_of(token, row.keyword)) {
      ++count;
      *match = &row;
    }
  }
  return count;
}
