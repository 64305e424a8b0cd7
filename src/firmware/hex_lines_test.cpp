#include "firmware/hex_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/scratch_dir.h"
#include "text/text_file.h"

namespace {

TEST(HexLineReader, PiecesLineEndsAndNumbers) {
  const std::string long_line(600, 'a');
  const std::string full(511, 'b');
  ScratchDir dir;
  const FilePtr file = open_text_file(
      dir.write("fw.hex", ":00000001FF\r\n\n" + long_line + "\r\n" + full + "\ncr\rin\nlast\r")
          .c_str());
  std::fgetc(file.get());  // a reader starts from the beginning all the same
  HexLineReader reader(file.get());
  std::vector<std::pair<std::uint32_t, std::string>> lines;
  while (reader.next() == HexRead::kLine) {
    EXPECT_EQ(reader.length(), std::string(reader.text()).size());
    lines.emplace_back(reader.number(), reader.text());
  }
  const std::vector<std::pair<std::uint32_t, std::string>> want = {
      {1, ":00000001FF"}, {2, ""},       {3, long_line.substr(0, 511)}, {4, long_line.substr(511)},
      {5, full},          {6, ""},        // the line end of a full piece, as fgets leaves it
      {7, "cr\rin"},      {8, "last\r"},  // only a CR LF pair is a line end
  };
  EXPECT_EQ(lines, want);
  EXPECT_EQ(reader.next(), HexRead::kEnd);

  if (dir.opens_as_file()) {  // POSIX: a folder opens, but cannot be read
    const FilePtr folder(std::fopen(dir.path().c_str(), "r"));
    EXPECT_EQ(HexLineReader(folder.get()).next(), HexRead::kError);
  }
}

}  // namespace
