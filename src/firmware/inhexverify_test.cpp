#include "firmware/inhexverify.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "console/scratch_dir.h"
#include "console/text_file.h"

namespace {

struct Verified {
  int rc;
  std::string out;
};

Verified verify_text(std::string_view text) {
  ScratchDir dir;
  const FilePtr file = open_text_file(dir.write("fw.hex", text).c_str());
  Console con("");
  const int rc = inhexverify(con, file.get());
  return {rc, con.output()};
}

const std::string STANDARD = ":10010000214601360121470136007EFE09D2190140";
const std::string END = ":00000001FF";

std::string fault(const char* what, int line) {
  return "\a\aError: " + std::string(what) + " for line " + std::to_string(line) +
         " in Firmware file!\n";
}

TEST(Inhexverify, GoodFilesReturnTheRecordCount) {
  struct Case {
    std::string text;
    int records;
  };
  const Case cases[] = {
      {STANDARD + "\n", 1},
      {END + "\n", 1},
      {END, 1},  // no line end on the last line
      {"# firmware\n\n" + STANDARD + "\nnot a record\n" + END + "\n", 2},
      {":10010000214601360121470136007efe09d2190140\n", 1},  // lower case
      {":020102040001F6\n", 1},  // address records may sit at any address
      {":01010C00AA48\n:01010c00AA48\n", 2},
  };
  for (const Case& c : cases) {
    const Verified v = verify_text(c.text);
    EXPECT_EQ(v.rc, c.records) << c.text;
    EXPECT_EQ(v.out, "") << c.text;
  }
}

TEST(Inhexverify, EachFaultHasItsCodeAndMessage) {
  const std::string n129 = ":81000000" + std::string(258, '0') + "7F";
  const std::string n129_short = ":81000000" + std::string(256, '0') + "7F";
  struct Case {
    std::string text;
    int rc;
    std::string out;
  };
  const Case cases[] = {
      {"# one\n; two\n:00000001A4\n", -2, fault("checksum mismatch (0xa5)", 3)},
      {":00000006FA\n", -3, fault("invalid type (06)", 1)},
      {":00000010F0\n", -3, fault("invalid type (10)", 1)},
      {END + "  \n", -4, fault("invalid record length (0)", 1)},
      {n129 + "\n", -5, fault("record length > 128 (129)", 1)},
      {n129_short + "\n", -4, fault("invalid record length (129)", 1)},
      {":01010200AA52\n", -6, fault("data record offset boundary error", 1)},
      {"", -7, "\a\aError: Firmware file is empty!\n"},
      {"\n\n  \n", -7, "\a\aError: Firmware file is empty!\n"},
      {"hello\n 00000001FF\n", -7, "\a\aError: Firmware file is empty!\n"},
  };
  for (const Case& c : cases) {
    const Verified v = verify_text(c.text);
    EXPECT_EQ(v.rc, c.rc) << c.text;
    EXPECT_EQ(v.out, c.out) << c.text;
  }
}

// Records the digit readers would let through (their sums come out 0) and
// lines too short for their fields: none may pass, none may read past its end.
TEST(Inhexverify, NonDigitsAndShortLinesFail) {
  struct Case {
    std::string text;
    int rc;
    std::string out;
  };
  const Case cases[] = {
      {":010000004GFB", -2, fault("checksum mismatch (0x00)", 1)},
      {":01000000 4FB", -2, fault("checksum mismatch (0x00)", 1)},
      {":+1000000FF", -2, fault("checksum mismatch (0x00)", 1)},
      {":00000001A", -2, fault("checksum mismatch (0x0b)", 1)},
      {":", -4, fault("invalid record length (0)", 1)},
      {":0000000", -4, fault("invalid record length (0)", 1)},
      {":00000001FF0", -4, fault("invalid record length (0)", 1)},
  };
  for (const Case& c : cases) {
    const Verified v = verify_text(c.text + "\n");
    EXPECT_EQ(v.rc, c.rc) << c.text;
    EXPECT_EQ(v.out, c.out) << c.text;
  }
}

TEST(Inhexverify, CrLfVerifiesLikeLf) {
  const std::string lines[] = {"# boot", STANDARD, "", END, ":01010200AA52"};
  std::string lf, crlf;
  for (const std::string& line : lines) {
    lf += line + "\n";
    crlf += line + "\r\n";
  }
  const Verified a = verify_text(lf);
  const Verified b = verify_text(crlf);
  EXPECT_EQ(a.rc, -6);
  EXPECT_EQ(a.out, fault("data record offset boundary error", 5));
  EXPECT_EQ(b.rc, a.rc);
  EXPECT_EQ(b.out, a.out);
  EXPECT_EQ(verify_text(STANDARD + "\r\n" + END + "\r\n").rc, 2);
}

// A line is read in pieces of 511 characters; the rest is a line of its own.
TEST(Inhexverify, RestOfALongLineIsAFurtherLine) {
  const std::string comment = "#" + std::string(510, 'x');
  EXPECT_EQ(verify_text(comment + END + "\n").rc, 1);
  EXPECT_EQ(verify_text(comment + std::string(400, 'y') + "\n:00000001A4\n").out,
            fault("checksum mismatch (0xa5)", 3));
  // A record line that long is cut, and its first piece fails.
  const Verified v = verify_text(":" + std::string(600, '0') + "\n");
  EXPECT_EQ(v.rc, -4);
  EXPECT_EQ(v.out, fault("invalid record length (0)", 1));
}

TEST(Inhexverify, NoFileAndUnreadableFile) {
  Console con("");
  EXPECT_EQ(inhexverify(con, nullptr), -1);
  EXPECT_EQ(con.output(), "inhexverify: Error: param fp is invalid\n");

  ScratchDir dir;
  const FilePtr folder = open_text_file(dir.path().c_str());
  ASSERT_NE(folder, nullptr);
  con.clear_output();
  EXPECT_EQ(inhexverify(con, folder.get()), -7);
  EXPECT_EQ(con.output(), "\a\aError: cannot read Firmware file!\n");

  const FilePtr write_only(std::fopen(dir.write("w.hex", END + "\n").c_str(), "a"));
  con.clear_output();
  EXPECT_EQ(inhexverify(con, write_only.get()), -7);
  EXPECT_EQ(con.output(), "\a\aError: cannot read Firmware file!\n");
}

TEST(Inhexverify, StartsFromTheBeginningEveryTime) {
  ScratchDir dir;
  const FilePtr file = open_text_file(dir.write("fw.hex", STANDARD + "\n" + END + "\n").c_str());
  Console con("");
  EXPECT_EQ(inhexverify(con, file.get()), 2);
  EXPECT_EQ(inhexverify(con, file.get()), 2);
}

}  // namespace
