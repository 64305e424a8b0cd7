#include "shell/line_completion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace {

struct LineCase {
  const char* line;  // up to the cursor
  std::size_t word_start;
  std::vector<std::string> texts;
  std::vector<std::string> choices = {};  // empty: the texts without their last character
};

// In a folder of its own: station.txt, "my station.txt", stations/ with a
// rules file, and a hidden file.
class LineCompletion : public testing::Test {
 protected:
  void SetUp() override {
    dir_.write("station.txt", "");
    dir_.write("my station.txt", "");
    dir_.write(".hidden", "");
    std::filesystem::create_directory(dir_.path("stations"));
    dir_.write("stations/filters.txt", "");
    std::filesystem::current_path(dir_.path());
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

  void check(const std::vector<LineCase>& cases) {
    for (const LineCase& c : cases) {
      const Completion got = complete_command_line(c.line);
      EXPECT_EQ(got.texts, c.texts) << c.line;
      if (got.texts.empty()) continue;
      EXPECT_EQ(got.word_start, c.word_start) << c.line;
      std::vector<std::string> choices = c.choices;
      if (choices.empty()) {
        for (const std::string& t : c.texts) choices.push_back(t.substr(0, t.size() - 1));
      }
      EXPECT_EQ(got.choices, choices) << c.line;
    }
  }

 private:
  std::filesystem::path previous_ = std::filesystem::current_path();
  ScratchDir dir_;
};

TEST_F(LineCompletion, CommandWordsFromTheTable) {
  check({
      {"conf", 0, {"configure "}},
      {"  CONF", 2, {"configure "}},
      {"d", 0, {"dconfigure ", "drules ", "disconnect ", "download "}},
      {"con", 0, {"configure ", "connect "}},
      {"q", 0, {"quit "}},
      {"helpme", 0, {}},
  });
}

TEST_F(LineCompletion, PortsOfConnectAndFirmware) {
  check({
      {"connect com1", 8, {"COM1 ", "COM10 "}},
      {"conn,c",
       5,
       {"COM1 ", "COM2 ", "COM3 ", "COM4 ", "COM5 ", "COM6 ", "COM7 ", "COM8 ", "COM9 ", "COM10 "}},
      {"firmware COM3", 9, {"COM3 "}},
      {"connect 3 ", 0, {}},  // the rate is no port
      {"baud ", 0, {}},
      {"c com", 0, {}},  // an ambiguous command has no arguments
  });
}

TEST_F(LineCompletion, FileNamesQuotedWhereTheyMustBe) {
  check({
      {"configure st", 10, {"station.txt ", "stations/"}, {"station.txt", "stations/"}},
      {"rules stations/f", 6, {"stations/filters.txt "}, {"filters.txt"}},
      {"firmware 2 stations/", 11, {"stations/filters.txt "}, {"filters.txt"}},
      {"configure my", 10, {"\"my station.txt\" "}, {"my station.txt"}},
      {"configure \"my st", 10, {"\"my station.txt\" "}, {"my station.txt"}},
      {"configure \"st", 10, {"\"station.txt\" ", "\"stations/"}, {"station.txt", "stations/"}},
      // Any name with a blank quotes them all; hidden names only when asked.
      {"rules ",
       6,
       {"\"my station.txt\" ", "\"station.txt\" ", "\"stations/"},
       {"my station.txt", "station.txt", "stations/"}},
      {"rules .h", 6, {".hidden "}},
      {"configure \"station.txt\"", 0, {}},  // a closed name is whole
      {"configure station.txt ", 0, {}},     // no second file name
      {"firmware st", 0, {}},                // the port comes first
      {"configure nowhere/x", 0, {}},
  });
}

}  // namespace
