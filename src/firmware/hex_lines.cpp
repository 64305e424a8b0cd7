#include "firmware/hex_lines.h"

#include <cstring>

#include "text/text_file.h"

HexLineReader::HexLineReader(std::FILE* file) : file_(file) {
  line_[0] = '\0';
  rewind_text_file(file_);  // past a byte-order mark, as when it was opened
}

HexRead HexLineReader::next() {
  const PieceResult got = read_piece(file_, line_, sizeof line_);
  if (got == PieceResult::kEnd) return HexRead::kEnd;
  if (got == PieceResult::kError) return HexRead::kError;
  length_ = std::strlen(line_);
  if (length_ > 0 && line_[length_ - 1] == '\n') line_[--length_] = '\0';
  ++number_;
  return HexRead::kLine;
}
