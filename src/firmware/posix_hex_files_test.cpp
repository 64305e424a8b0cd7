// Firmware files made by real tools: the example file, and the files that
// objcopy (binutils) and srec_cat (srecord) make here from 70 000 bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "firmware/inhexverify.h"
#include "support/scratch_dir.h"
#include "text/text_file.h"

namespace {

std::string read_file(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

int count_records(const std::string& text) {
  int records = text.starts_with(":") ? 1 : 0;
  for (std::size_t at = text.find("\n:"); at != std::string::npos; at = text.find("\n:", at + 1))
    ++records;
  return records;
}

struct Verified {
  int rc;
  std::string out;
  bool operator==(const Verified&) const = default;
};
void PrintTo(const Verified& v, std::ostream* os) {
  *os << v.rc << " " << testing::PrintToString(v.out);
}

Verified verify_path(const std::string& path) {
  const FilePtr file = open_text_file(path.c_str());
  Console con("");
  const int rc = inhexverify(con, file.get());
  return {rc, con.output()};
}

TEST(HexFiles, ExampleFirmwareFilePasses) {
  const std::string path = KTREVA_SOURCE_DIR "/examples/firmware.hex";
  const int records = count_records(read_file(path));
  ASSERT_GT(records, 1);
  EXPECT_EQ(verify_path(path).rc, records);
}

TEST(HexFiles, ToolOutputOverSixtyFourKiB) {
  ScratchDir dir;
  std::string image(70000, '\0');
  unsigned x = 12345;
  for (char& b : image) b = static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
  const std::string bin = dir.write("image.bin", image);
  struct Tool {
    std::string command;  // the output file's name follows
    std::string options;
    std::string data_record;     // a full record of the tool's size
    std::string address_record;  // the tool's address record for 64 KiB on
  };
  const Tool tools[] = {
      {"objcopy -I binary -O ihex " + bin + " ", "", "\n:10", ":020000021000EC"},
      {"srec_cat " + bin + " -binary -o ", " -intel -obs=32", "\n:20", ":020000040001F9"},
  };
  for (const Tool& tool : tools) {
    const std::string hex = dir.path("out.hex");
    ASSERT_EQ(std::system((tool.command + hex + tool.options).c_str()), 0)
        << tool.command << " (scripts/deps.sh installs binutils and srecord)";
    const std::string text = read_file(hex);
    EXPECT_NE(text.find(tool.data_record), std::string::npos) << tool.command;
    EXPECT_NE(text.find(tool.address_record), std::string::npos) << tool.command;
    EXPECT_EQ(verify_path(hex), (Verified{count_records(text), ""})) << tool.command;

    // One data digit changed in the 1000th line.
    std::string broken = text;
    std::size_t at = 0;
    for (int line = 1; line < 1000; ++line) at = broken.find('\n', at) + 1;
    broken[at + 20] = broken[at + 20] == '0' ? '1' : '0';
    const Verified v = verify_path(dir.write("broken.hex", broken));
    EXPECT_EQ(v.rc, HEX_CHECKSUM) << tool.command;
    EXPECT_TRUE(v.out.ends_with("for line 1000 in Firmware file!\n")) << v.out;
  }
}

}  // namespace
