#pragma once
// Reading the operator's text files in pieces, the way both file compilers do.

#include <cstddef>
#include <cstdio>
#include <memory>

#include "console/console.h"
#include "text/regular_file.h"

enum class PieceResult { kPiece, kEnd, kError };

// Reads the next piece of a line: at most cap-1 characters, up to and
// including a newline, terminated. A CR LF line end reads as a single LF, as
// it does in text mode on Windows. A line longer than the buffer comes back in
// several pieces. kError means the read itself failed (an I/O error, a
// folder that a C library opened as a file, or a null `file`); kEnd means the
// file ended with nothing read.
PieceResult read_piece(std::FILE* file, char* buf, std::size_t cap);

// Both operator files start a comment at the first '#', '/' or ';'.
constexpr const char* COMMENT_CHARS = "#/;";
inline bool is_comment_char(char c) { return c == '#' || c == '/' || c == ';'; }

// Removes a trailing newline in place; true when there was one.
bool strip_newline(char* text);

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens an operator's text file for reading, positioned after a UTF-8
// byte-order mark (Notepad's "UTF-8 with BOM") if the file begins with one.
// Null when it cannot be opened or is no regular file (a folder, a FIFO, a
// device); `status`, when given, tells which.
FilePtr open_text_file(const char* path, OpenStatus* status = nullptr);

// What opening and reading a compiler's file give; the compilers return the
// failures as their own.
enum CompilerFileResult : int {
  COMPILER_PIECE = 1,  // a piece of a line was read
  COMPILER_OPENED = 0,
  COMPILER_END = 0,  // the file ended with nothing read
  COMPILER_NO_PATH = -1,
  COMPILER_UNREADABLE = -2,  // cannot be opened or read, or is no regular file
};

// The opening of a file that a compiler reads: COMPILER_OPENED with `*file`
// set, or the message and COMPILER_NO_PATH for a null `path` (naming
// `compiler`), COMPILER_UNREADABLE for a file that cannot be opened, and
// COMPILER_UNREADABLE with the "cannot read" message of a read failure for a
// name that is no regular file (a folder, a FIFO, a device), so that the
// compiler refuses it before it changes anything.
int open_compiler_file(Console& con, const char* compiler, const char* path, FilePtr* file);

// The next piece of a file that a compiler reads: COMPILER_PIECE,
// COMPILER_END, or COMPILER_UNREADABLE after the "cannot read" message. A file that cannot be read
// to its end (an I/O error part-way) was not compiled, however many of its lines came before.
int read_compiler_piece(Console& con, std::FILE* file, char* buf, std::size_t cap,
                        const char* path);

// Puts a file back at its first byte of text, past a byte-order mark: what a
// reader that goes over the file again calls instead of rewind.
void rewind_text_file(std::FILE* file);
