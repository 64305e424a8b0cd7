#include "firmware/hex_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/scratch_dir.h"
#include "console/text_file.h"

namespace {

struct Line {
  std::uint32_t number;
  std::string text;
  bool operator==(const Line&) const = default;
};

std::vector<Line> read_all(HexLineReader& reader) {
  std::vector<Line> lines;
  while (reader.next() == HexRead::kLine) {
    EXPECT_EQ(reader.length(), std::string(reader.text()).size());
    lines.push_back({reader.number(), reader.text()});
  }
  return lines;
}

TEST(HexLineReader, PiecesLineEndsAndNumbers) {
  const std::string long_line(600, 'a');
  const std::string full(511, 'b');
  ScratchDir dir;
  const std::string text =
      ":00000001FF\r\n\n" + long_line + "\r\n" + full + "\n" + "cr\rinside\n" + "last\r";
  const FilePtr file = open_text_file(dir.write("fw.hex", text).c_str());
  std::fgetc(file.get());  // a reader starts from the beginning all the same
  HexLineReader reader(file.get());
  const std::vector<Line> want = {
      {1, ":00000001FF"},         {2, ""},       {3, long_line.substr(0, 511)},
      {4, long_line.substr(511)}, {5, full},     {6, ""},  // the line end of a full piece
      {7, "cr\rinside"},          {8, "last\r"},           // only a CR LF pair is a line end
  };
  EXPECT_EQ(read_all(reader), want);
  EXPECT_EQ(reader.next(), HexRead::kEnd);
}

TEST(HexLineReader, ReadErrorIsNotTheEnd) {
  ScratchDir dir;
  const FilePtr folder = open_text_file(dir.path().c_str());
  ASSERT_NE(folder, nullptr);
  HexLineReader reader(folder.get());
  EXPECT_EQ(reader.next(), HexRead::kError);
}

}  // namespace
