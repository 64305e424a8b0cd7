#pragma once
// The lines of a firmware file, exactly as the verifier checks them and the
// upload sends them: both read through this one reader, so the upload can
// only ever send the pieces that passed verification.
//
// A line is read in pieces of at most 511 characters; the rest of a longer
// line comes back as further lines, each counted. A line end of LF or CR LF is
// removed (the CR of a CR LF pair is never part of a line). As with fgets, a
// line of exactly 511 characters leaves its line end behind as an empty line.

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Room for one piece: 511 characters and a terminator.
constexpr std::size_t HEX_LINE_SIZE = 512;

enum class HexRead { kLine, kEnd, kError };

class HexLineReader {
 public:
  // Reads `file` (not null) from its beginning, past a byte-order mark,
  // whatever was read before.
  explicit HexLineReader(std::FILE* file);

  // The next line: kLine with text(), length() and number() set; kEnd at the
  // end of the file; kError when the read itself failed (an I/O error, a
  // directory), which is never to be taken for the end.
  HexRead next();

  const char* text() const { return line_; }
  std::size_t length() const { return length_; }
  // Counts every line read, record or not; the first line is 1.
  std::uint32_t number() const { return number_; }
  // Record lines begin with ':'; everything else is skipped by both readers.
  bool is_record() const { return line_[0] == ':'; }

 private:
  std::FILE* file_;
  char line_[HEX_LINE_SIZE];
  std::size_t length_ = 0;
  std::uint32_t number_ = 0;
};
