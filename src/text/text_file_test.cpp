#include "text/text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scratch_dir.h"

namespace {

std::string read_all(std::FILE* f) {
  std::string text;
  char buf[64];
  while (read_piece(f, buf, sizeof buf) == PieceResult::kPiece) text += buf;
  return text;
}

TEST(TextFile, AByteOrderMarkAtTheStartIsSkipped) {
  ScratchDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF"
       "call ab\n",
       "call ab\n"},
      {"\xEF\xBB\xBF", ""},
      {"\xEF\xBB"
       "call\n",
       "\xEF\xBB"
       "call\n"},
      {"ca\n", "ca\n"},
      {"call \xEF\xBB\xBF\n", "call \xEF\xBB\xBF\n"},
  };
  for (const auto& [bytes, text] : cases) {
    const FilePtr file = open_text_file(dir.write("f.txt", bytes).c_str());
    ASSERT_TRUE(file);
    EXPECT_EQ(read_all(file.get()), text);
    rewind_text_file(file.get());  // a second pass skips it too
    EXPECT_EQ(read_all(file.get()), text);
  }
}

TEST(TextFile, PiecesOfLongLinesAndCrLf) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  std::fputs("abcdefghij\r\nxy\r\nabcd\r\na\rb\nabcd\rx\n", f);
  std::rewind(f);
  char buf[6];
  std::string pieces;
  while (read_piece(f, buf, sizeof buf) == PieceResult::kPiece) pieces += std::string(buf) + "|";
  // A CR LF split by the buffer is one line end; any other CR stays.
  EXPECT_EQ(pieces, "abcde|fghij|\n|xy\n|abcd\n|a\rb\n|abcd\r|x\n|");
  std::fclose(f);
}

}  // namespace
