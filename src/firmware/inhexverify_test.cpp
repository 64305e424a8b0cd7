#include "firmware/inhexverify.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/scratch_dir.h"
#include "text/text_file.h"

namespace {

struct Verified {
  int rc;
  std::string out;
  bool operator==(const Verified&) const = default;
};
void PrintTo(const Verified& v, std::ostream* os) {
  *os << v.rc << " " << testing::PrintToString(v.out);
}

Verified verify_text(std::string_view text) {
  ScratchDir dir;
  const FilePtr file = open_text_file(dir.write("fw.hex", text).c_str());
  Console con("");
  const int rc = inhexverify(con, file.get());
  return {rc, con.output()};
}

const std::string STANDARD = ":10010000214601360121470136007EFE09D2190140";
const std::string END = ":00000001FF";
const std::string EMPTY = "\a\aError: Firmware file is empty!\n";

std::string fault(const char* what, int line) {
  return "\a\aError: " + std::string(what) + " for line " + std::to_string(line) +
         " in Firmware file!\n";
}

TEST(Inhexverify, RecordCountOrFirstFault) {
  const std::string n129 = ":81000000" + std::string(258, '0') + "7F";
  const std::string long_comment = "#" + std::string(510, 'x');
  struct Case {
    std::string text;
    Verified want;
  };
  const Case cases[] = {
      {STANDARD + "\n", {1, ""}},
      {END, {1, ""}},
      {"# firmware\n\n" + STANDARD + "\nnot a record\n" + END + "\n", {2, ""}},
      {":10010000214601360121470136007efe09d2190140\n", {1, ""}},
      {":020102040001F6\n", {1, ""}},  // address records may sit at any address
      {":01010C00AA48\n:01010c00AA48\n", {2, ""}},
      {"# one\n; two\n:00000001A4\n", {HEX_CHECKSUM, fault("checksum mismatch (0xa5)", 3)}},
      {":00000006FA\n", {HEX_TYPE, fault("invalid type (06)", 1)}},
      {":00000010F0\n", {HEX_TYPE, fault("invalid type (10)", 1)}},
      {END + "  \n", {HEX_LENGTH, fault("invalid record length (0)", 1)}},
      {n129 + "\n", {HEX_TOO_LONG, fault("record length > 128 (129)", 1)}},
      {n129.substr(0, 265) + "7F\n", {HEX_LENGTH, fault("invalid record length (129)", 1)}},
      {":01010200AA52\n", {HEX_ALIGNMENT, fault("data record offset boundary error", 1)}},
      {"", {HEX_NO_RECORD, EMPTY}},
      {"\n\n  \n", {HEX_NO_RECORD, EMPTY}},
      {"hello\n 00000001FF\n", {HEX_NO_RECORD, EMPTY}},
      // Sums of 0 that only the digit readers' leniency gives: not records.
      {":010000004GFB\n", {HEX_CHECKSUM, fault("checksum mismatch (0x00)", 1)}},
      {":01000000 4FB\n", {HEX_CHECKSUM, fault("checksum mismatch (0x00)", 1)}},
      {":+1000000FF\n", {HEX_CHECKSUM, fault("checksum mismatch (0x00)", 1)}},
      // Too short or of even length: no check reads past the line's end.
      {":00000001A\n", {HEX_CHECKSUM, fault("checksum mismatch (0x0b)", 1)}},
      {":\n", {HEX_LENGTH, fault("invalid record length (0)", 1)}},
      {":0000000\n", {HEX_LENGTH, fault("invalid record length (0)", 1)}},
      {":00000001FF0\n", {HEX_LENGTH, fault("invalid record length (0)", 1)}},
      // Pieces of 511 characters: the rest of a line is a line of its own.
      {long_comment + END + "\n", {1, ""}},
      {long_comment + "yy\n:00000001A4\n", {HEX_CHECKSUM, fault("checksum mismatch (0xa5)", 3)}},
      {":" + std::string(600, '0') + "\n", {HEX_LENGTH, fault("invalid record length (0)", 1)}},
  };
  for (const Case& c : cases) EXPECT_EQ(verify_text(c.text), c.want) << c.text;
}

TEST(Inhexverify, CrLfVerifiesLikeLf) {
  for (const std::string& last : {END, std::string(":01010200AA52")}) {
    std::string lf, crlf;
    for (const std::string& line : {std::string("# boot"), STANDARD, std::string(), last}) {
      lf += line + "\n";
      crlf += line + "\r\n";
    }
    EXPECT_EQ(verify_text(crlf), verify_text(lf)) << last;
  }
  EXPECT_EQ(verify_text(STANDARD + "\r\n" + END + "\r\n").rc, 2);
}

TEST(Inhexverify, NoFileUnreadableFileAndRereading) {
  Console con("");
  EXPECT_EQ(inhexverify(con, nullptr), HEX_NO_FILE);
  EXPECT_EQ(con.output(), "inhexverify: Error: param fp is invalid\n");

  ScratchDir dir;
  // POSIX: a folder opens but cannot be read, nor can a stream opened for
  // appending (Windows refuses the first and reads the second as empty).
  if (dir.opens_as_file()) {
    const FilePtr folder(std::fopen(dir.path().c_str(), "r"));
    const FilePtr write_only(std::fopen(dir.write("w.hex", END + "\n").c_str(), "a"));
    for (std::FILE* unreadable : {folder.get(), write_only.get()}) {
      con.clear_output();
      EXPECT_EQ(inhexverify(con, unreadable), HEX_NO_RECORD);
      EXPECT_EQ(con.output(), "\a\aError: cannot read Firmware file!\n");
    }
  }

  const FilePtr file = open_text_file(dir.write("fw.hex", STANDARD + "\n" + END + "\n").c_str());
  EXPECT_EQ(inhexverify(con, file.get()), 2);
  EXPECT_EQ(inhexverify(con, file.get()), 2);
}

}  // namespace
