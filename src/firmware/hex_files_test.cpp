// Firmware files made by real tools: the example file, and files that objcopy
// (binutils) and srec_cat (srecord) make here from a binary of over 64 KiB.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "console/scratch_dir.h"
#include "console/text_file.h"
#include "firmware/inhexverify.h"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int count_records(const std::string& text) {
  int records = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) records += !line.empty() && line[0] == ':';
  return records;
}

int verify_path(const std::string& path, std::string* out = nullptr) {
  const FilePtr file = open_text_file(path.c_str());
  Console con("");
  const int rc = inhexverify(con, file.get());
  if (out != nullptr) *out = con.output();
  return rc;
}

// 70 000 bytes that no two records share by chance.
std::string make_binary(const ScratchDir& dir) {
  std::string bytes(70000, '\0');
  unsigned x = 12345;
  for (char& b : bytes) b = static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
  return dir.write("image.bin", bytes);
}

std::string run_tool(const ScratchDir& dir, const std::string& command, const std::string& out) {
  const int status = std::system((command + " 2>&1").c_str());
  EXPECT_EQ(status, 0) << command << " (scripts/deps.sh installs binutils and srecord)";
  return dir.path(out);
}

TEST(HexFiles, ExampleFirmwareFilePasses) {
  const std::string path = KTREVA_SOURCE_DIR "/examples/firmware.hex";
  const int records = count_records(read_file(path));
  ASSERT_GT(records, 1);
  EXPECT_EQ(verify_path(path), records);
}

TEST(HexFiles, ToolOutputOverSixtyFourKiBPasses) {
  ScratchDir dir;
  const std::string bin = make_binary(dir);
  struct Tool {
    std::string command;
    std::string name;
    std::string record_start;    // every full data record begins so
    std::string address_record;  // the tool's address record for 64 KiB on
  };
  const Tool tools[] = {
      {"objcopy -I binary -O ihex " + bin + " " + dir.path("objcopy.hex"), "objcopy.hex", ":10",
       ":020000021000"},
      {"srec_cat " + bin + " -binary -o " + dir.path("srec.hex") + " -intel -obs=32", "srec.hex",
       ":20", ":020000040001"},
  };
  for (const Tool& tool : tools) {
    const std::string text = read_file(run_tool(dir, tool.command, tool.name));
    EXPECT_NE(text.find("\n" + tool.record_start), std::string::npos) << tool.name;
    EXPECT_NE(text.find(tool.address_record), std::string::npos)
        << tool.name << ": no address record past 64 KiB";
    EXPECT_EQ(verify_path(dir.path(tool.name)), count_records(text)) << tool.name;
  }
}

// The same file with CR LF line ends, and with one data digit changed.
TEST(HexFiles, ToolOutputVariants) {
  ScratchDir dir;
  const std::string bin = make_binary(dir);
  const std::string text = read_file(
      run_tool(dir, "srec_cat " + bin + " -binary -o " + dir.path("srec.hex") + " -intel -obs=32",
               "srec.hex"));
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(verify_path(dir.write("crlf.hex", crlf)), count_records(text));

  std::string broken = text;
  std::size_t line_start = 0;
  for (int line = 1; line < 1000; ++line) line_start = broken.find('\n', line_start) + 1;
  broken[line_start + 20] = broken[line_start + 20] == '0' ? '1' : '0';
  std::string out;
  EXPECT_EQ(verify_path(dir.write("broken.hex", broken), &out), -2);
  EXPECT_NE(out.find("for line 1000 in Firmware file!\n"), std::string::npos) << out;
}

}  // namespace
