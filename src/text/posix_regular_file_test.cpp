// POSIX names that are no regular files: a FIFO blocks in open() and
// /dev/zero never ends, so neither may be read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <utility>

#include "support/scratch_dir.h"
#include "text/text_file.h"

namespace {

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

}  // namespace
