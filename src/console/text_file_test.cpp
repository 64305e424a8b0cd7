#include "console/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "console/scratch_dir.h"

namespace {

std::string read_all(std::FILE* f) {
  std::string text;
  char buf[64];
  while (read_piece(f, buf, sizeof buf) == PieceResult::kPiece) text += buf;
  return text;
}

TEST(TextFile, OnlyRegularFilesOpen) {
  ScratchDir dir;
  const std::string fifo = dir.path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::pair<std::string, OpenStatus> cases[] = {
      {dir.write("a.txt", "x\n"), OpenStatus::kOpened},
      {dir.path("missing.txt"), OpenStatus::kCannotOpen},
      {dir.path(), OpenStatus::kNotRegular},
      {fifo, OpenStatus::kNotRegular},  // no writer: a blocking open would hang
      {"/dev/zero", OpenStatus::kNotRegular},
  };
  for (const auto& [path, want] : cases) {
    OpenStatus got = OpenStatus::kOpened;
    const FilePtr file = open_text_file(path.c_str(), &got);
    EXPECT_EQ(got, want) << path;
    EXPECT_EQ(file != nullptr, want == OpenStatus::kOpened) << path;
  }
  char buf[8];
  EXPECT_EQ(read_piece(nullptr, buf, sizeof buf), PieceResult::kError);
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
