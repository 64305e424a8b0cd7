#include "text/text_file.h"

#include <cstring>

PieceResult read_piece(std::FILE* file, char* buf, std::size_t cap) {
  buf[0] = '\0';
  if (file == nullptr) return PieceResult::kError;
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

FilePtr open_text_file(const char* path, OpenStatus* status) {
  std::FILE* file = nullptr;
  const OpenStatus got = open_regular_file(path, &file);
  if (status != nullptr) *status = got;
  if (file != nullptr) rewind_text_file(file);
  return FilePtr(file);
}

int open_compiler_file(Console& con, const char* compiler, const char* path, FilePtr* file) {
  if (path == nullptr) {
    con.print("%s: Error: param rfp is invalid\n", compiler);
    return COMPILER_NO_PATH;
  }
  OpenStatus status = OpenStatus::kOpened;
  *file = open_text_file(path, &status);
  if (status == OpenStatus::kCannotOpen) {
    con.print("\a\aError: cannot open %s\n", path);
    return COMPILER_UNREADABLE;
  }
  // Refused here, before the compiler resets anything: a folder or a device
  // named by a slip of the keyboard must not cost the operator what an
  // earlier file compiled.
  if (status == OpenStatus::kNotRegular) {
    con.print("\a\aError: cannot read %s\n", path);
    return COMPILER_UNREADABLE;
  }
  return COMPILER_OPENED;
}

int read_compiler_piece(Console& con, std::FILE* file, char* buf, std::size_t cap,
                        const char* path) {
  const PieceResult got = read_piece(file, buf, cap);
  if (got == PieceResult::kPiece) return COMPILER_PIECE;
  if (got == PieceResult::kEnd) return COMPILER_END;
  con.print("\a\aError: cannot read %s\n", path);
  return COMPILER_UNREADABLE;
}

void rewind_text_file(std::FILE* file) {
  static constexpr unsigned char BOM[3] = {0xEF, 0xBB, 0xBF};
  std::rewind(file);
  unsigned char head[sizeof BOM];
  if (std::fread(head, 1, sizeof head, file) != sizeof head ||
      std::memcmp(head, BOM, sizeof BOM) != 0) {
    std::rewind(file);
  }
}
