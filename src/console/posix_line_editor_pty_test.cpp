// The prompt on a terminal: the real program on a pseudo-terminal, keys
// typed, the screen's bytes read. After each key sequence a session waits
// for texts in turn; each ends with Ctrl-D at the prompt, the end of input
// (status 1). A recalled or completed line shows in what running it prints,
// since the editor draws a line in pieces.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/background_program.h"
#include "support/run_program.h"
#include "support/scratch_dir.h"
#include "support/terminal_program.h"

namespace {

constexpr int WAIT_SECONDS = 30;
const std::string UP = "\x1b[A";
const std::string NOT_CONNECTED = "\a\aError: not Connected!\r\n";
const std::string PROCESSED = "Configuration items processed";
const std::string PROMPT = "Command> ";
const std::string PIPED = "(what the piped run prints)";

struct Keys {
  std::string typed;
  std::vector<std::string> then_shown;
  bool answer = false;  // to a question, read as the terminal edits lines
};

struct Session {
  const char* name;
  std::vector<Keys> keys;
  const char* term = "xterm";  // one without a description reads plain lines
  bool device = false;         // COM1 is ktreva-emu
  const char* logged = "";     // what --log must hold: the lines after their prompts
};

// What the piped run prints for `line`, with the terminal's line ends.
std::string piped_answer(const std::string& line, const std::string& dir) {
  const RunResult run = run_program({KTREVA_HOST_PATH}, line + "\n", dir, WAIT_SECONDS);
  const std::size_t from = run.out.find("Command> ") + 9;
  std::string answer;
  for (char c : run.out.substr(from, run.out.find("Command> ", from) - from)) {
    if (c == '\n') answer += '\r';
    answer += c;
  }
  return answer;
}

const std::string LONG_LINE = "configure " + std::string(290, 'a');

std::vector<Session> sessions() {
  const std::vector<std::string> ran = {NOT_CONNECTED, PROMPT};
  const std::vector<std::string> done = {PROCESSED, PROMPT};
  return {
      // A dot line is not kept: Up gives the line before it.
      {"UpRecallsTheLastCommandAndEnterRunsIt",
       {{"disconnect\r", ran}, {".\r", ran}, {UP, {"disconnect"}}, {"\r", ran}},
       "xterm",
       false,
       "Command> disconnect\n\a\aError: not Connected!\nCommand> .\n\a\aError: not "
       "Connected!\nCommand> disconnect\n\a\aError: not Connected!\nCommand> \n"},
      {"TabCompletesWordsAndTwiceListsTheChoices",
       {{"conf\t\r", {"missing argument: file_name", PROMPT}},
        {"d\t\t", {"dconfigure", "disconnect", "download", "drules", PROMPT}},
        {"\r", {"ambiguous command: d\r\n", PROMPT}},
        {"configure st\t\r", done},
        {"conf my\t\r", done},  // "my station.txt", in quotes
        {"rules su\tf\t\r", {"Rules processed", PROMPT}}}},
      {"ALongLineReadsAsPiped", {{LONG_LINE + "\r", {PIPED, PROMPT}}}},
      {"TheFirmwareAnswerIsNotRecalled",
       {{"firmware 1 fw.hex\r", {"[n]: "}},
        {"n\r", {"NOT be updated!", PROMPT}, true},
        {UP + "\r", {"[n]: "}},
        {"\r", {"NOT be updated!", PROMPT}, true}}},
      {"TheDownloadAnswerIsNotRecalled",
       {{"connect 1\r", {"Connected at 9600", PROMPT}},
        {"download\r", {"[no]: "}},
        {"no\r", {"Download Aborted!", PROMPT}, true},
        {UP + "\r", {"[no]: "}},
        {"\r", {"Download Aborted!", PROMPT}, true}},
       "xterm",
       true},
      {"AnUnknownTerminalReadsPlainLines", {{"disconnect\r", ran}}, "no-such-term"},
  };
}

// Test lists name a session by its name alone.
void PrintTo(const Session& session, std::ostream* out) { *out << session.name; }

class TerminalPrompt : public testing::TestWithParam<Session> {};

TEST_P(TerminalPrompt, Session) {
  const Session& session = GetParam();
  ScratchDir dir;
  const std::string station = read_file(KTREVA_SOURCE_DIR "/examples/station.txt");
  dir.write("station.txt", station);
  dir.write("my station.txt", station);
  // The settings file of libedit (HOME is the folder) is not read: with it
  // Tab would insert itself rather than complete.
  dir.write(".editrc", "bind ^I ed-insert\n");
  std::filesystem::create_directory(dir.path("sub"));
  dir.write("sub/filters.txt", read_file(KTREVA_SOURCE_DIR "/examples/filters.txt"));

  std::vector<std::string> argv{KTREVA_HOST_PATH, "--log", "session.log"};
  std::unique_ptr<BackgroundProgram> emu;
  if (session.device) {
    if (std::string(KTREVA_EMU_PATH).empty()) {
      GTEST_SKIP() << "no ktreva-emu in this build";
    }
    emu =
        std::make_unique<BackgroundProgram>(std::vector<std::string>{KTREVA_EMU_PATH}, dir.path());
    const std::string port = emu->first_line(WAIT_SECONDS);
    ASSERT_FALSE(port.empty());
    argv.insert(argv.end(), {"--com", "1=" + port});
  }
  TerminalProgram program(argv, dir.path(), session.term);
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.wait_for(PROMPT, WAIT_SECONDS)) << visible(program.screen());
  const bool edited = std::string(session.term) == "xterm";
  std::vector<Keys> keys = session.keys;
  keys.push_back({"\x04", {}});
  for (const Keys& k : keys) {
    if (edited && !k.answer) {
      ASSERT_TRUE(program.wait_for_raw_mode(WAIT_SECONDS)) << visible(program.screen());
    }
    program.type(k.typed);
    for (const std::string& text : k.then_shown) {
      const std::string shown = text == PIPED ? piped_answer(LONG_LINE, dir.path()) : text;
      ASSERT_TRUE(program.wait_for(shown, WAIT_SECONDS))
          << "after " << visible(k.typed) << " no " << visible(shown) << " in:\n"
          << visible(program.screen());
    }
  }
  EXPECT_EQ(program.wait_exit(WAIT_SECONDS), 1) << visible(program.screen());
  EXPECT_EQ(program.screen().substr(program.screen().size() - 2), "\r\n");
  EXPECT_EQ(program.screen().find("terminal type"), std::string::npos);
  EXPECT_NE(read_file(dir.path("session.log")).find(session.logged), std::string::npos)
      << visible(read_file(dir.path("session.log")));
}

INSTANTIATE_TEST_SUITE_P(Keys, TerminalPrompt, testing::ValuesIn(sessions()),
                         [](const testing::TestParamInfo<Session>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
