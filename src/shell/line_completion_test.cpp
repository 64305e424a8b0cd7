#include "shell/line_completion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_dir.h"

namespace {

TEST(LineCompletion, CommandsPortsAndFileNames) {
  ScratchDir dir;
  std::filesystem::create_directories(dir.path("stations"));
  for (const char* name : {"station.txt", "my station.txt", ".hidden", "stations/filters.txt"}) {
    dir.write(name, "");
  }
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  struct Case {
    const char* line;  // up to the cursor
    std::size_t word_start;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {"  CONF", 2, {"configure "}},
      {"d", 0, {"dconfigure ", "drules ", "disconnect ", "download "}},
      {"helpme", 0, {}},
      {"connect com1", 8, {"COM1 ", "COM10 "}},
      {"firmware,COM3", 9, {"COM3 "}},
      {"connect 3 ", 0, {}},  // the rate is no port
      {"c com", 0, {}},       // an ambiguous command has no arguments
      {"configure st", 10, {"station.txt ", "stations/"}},
      {"rules stations/f", 6, {"stations/filters.txt "}},
      {"firmware 2 st", 11, {"station.txt ", "stations/"}},
      {"configure my", 10, {"\"my station.txt\" "}},
      {"configure \"st", 10, {"\"station.txt\" ", "\"stations/"}},
      // A name with a blank quotes them all; hidden ones only when asked.
      {"rules ", 6, {"\"my station.txt\" ", "\"station.txt\" ", "\"stations/"}},
      {"rules .h", 6, {".hidden "}},
      {"configure \"station.txt\"", 0, {}},  // a closed name is whole
      {"configure station.txt ", 0, {}},
      {"configure nowhere/x", 0, {}},
  };
  for (const Case& c : cases) {
    const Completion got = complete_command_line(c.line);
    EXPECT_EQ(got.texts, c.texts) << c.line;
    if (!got.texts.empty()) {
      EXPECT_EQ(got.word_start, c.word_start) << c.line;
    }
  }
  // Choices are listed by the names alone.
  EXPECT_EQ(complete_command_line("rules \"stations/").choices,
            std::vector<std::string>{"filters.txt"});
  EXPECT_EQ(complete_command_line("conn").choices, std::vector<std::string>{"connect"});
  std::filesystem::current_path(previous);
}

}  // namespace
