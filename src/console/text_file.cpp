#include "console/text_file.h"

#include <cstring>

PieceResult read_piece(std::FILE* file, char* buf, std::size_t cap) {
  buf[0] = '\0';
  if (std::fgets(buf, static_cast<int>(cap), file) == nullptr) {
    return std::ferror(file) ? PieceResult::kError : PieceResult::kEnd;
  }
  std::size_t n = std::strlen(buf);
  if (n >= 2 && buf[n - 1] == '\n' && buf[n - 2] == '\r') {
    buf[n - 2] = '\n';
    buf[n - 1] = '\0';
  } else if (n >= 1 && buf[n - 1] == '\r') {
    // The buffer ended between CR and LF: keep the pair together.
    const int next = std::fgetc(file);
    if (next == '\n') {
      buf[n - 1] = '\n';
    } else if (next != EOF) {
      std::ungetc(next, file);
    }
  }
  return PieceResult::kPiece;
}

bool strip_newline(char* text) {
  const std::size_t n = std::strlen(text);
  if (n > 0 && text[n - 1] == '\n') {
    text[n - 1] = '\0';
    return true;
  }
  return false;
}

FilePtr open_text_file(const char* path) { return FilePtr(std::fopen(path, "r")); }
