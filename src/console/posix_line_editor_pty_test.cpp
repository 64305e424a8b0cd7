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
#include "support/hex_records.h"
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

const std::string LEFT = "\x1b[D";
const std::string CTRL_C = "\x03";
const std::string CTRL_D = "\x04";

struct Keys {
  std::string typed;
  std::vector<std::string> then_shown;
  bool mid_command = false;  // typed while a command runs, with no editor reading
};

struct Session {
  const char* name;
  std::vector<Keys> keys;
  const char* term = "xterm";  // one without a description reads plain lines
  bool device = false;         // COM1 is ktreva-emu
  const char* logged = "";     // what --log must hold: the lines after their prompts
  std::vector<std::string> emu_args = {};
  int status = 1;  // Ctrl-D at the prompt ends each session, or Ctrl-C (130)
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
        {"n\r", {"NOT be updated!", PROMPT}},
        {UP + "\r", {"[n]: "}},
        {UP + "\r", {"NOT be updated!", PROMPT}}}},
      {"TheDownloadAnswerIsNotRecalled",
       {{"connect 1\r", {"Connected at 9600", PROMPT}},
        {"download\r", {"[no]: "}},
        {"no\r", {"Download Aborted!", PROMPT}},
        {UP + "\r", {"[no]: "}},
        {"\r", {"Download Aborted!", PROMPT}}},
       "xterm",
       true},
      // Pasted lines: the answer answers its question, the rest are commands.
      {"APastedAnswerAnswersItsQuestion",
       {{"firmware 1 fw.hex\rn\rdconfigure\r",
         {"[n]: ", "NOT be updated!", PROMPT, "Configuration:\r\nStation Call", PROMPT}}}},
      // The editing keys at a question: "yn" is a yes, "y", Backspace, "n" a no.
      {"AnAnswerIsEdited",
       {{"firmware 1 fw.hex\r", {"[n]: "}},
        {"n" + LEFT + "y\r", {"cannot open fw.hex", PROMPT}},
        {"firmware 1 fw.hex\r", {"[n]: "}},
        {"y\x7fn\r", {"NOT be updated!", PROMPT}}}},
      {"NamesBeyondAsciiAreKeptAndCompleted",
       {{"configure z\xc3\xa4tion.txt\r", done},
        {"conf u3/c\t", {"\xc3\xa9.txt"}},  // the editor draws what it added
        {"\r", done}}},
      {"CtrlDAtAQuestionAnswersItAndThePromptComesBack",
       {{"connect 1\r", {"Connected at 9600", PROMPT}},
        {"download\r", {"[no]: "}},
        {CTRL_D, {"\a\aDownload Aborted!", PROMPT}},
        {"disconnect\r", {"Disconnected", PROMPT}}},
       "xterm",
       true},
      {"CtrlCAtThePromptDropsTheLine",
       {{"configure no-such", {"no-such"}},
        {CTRL_C, {PROMPT}},
        {"angles\r", {"Colon, Dotted and DMC formats", PROMPT}}}},
      {"CtrlCDuringAnUploadOnlyWarns",
       {{"firmware 1 big.hex\r", {"[n]: "}},
        {"y\r", {"ready to continue..."}},
        {"\r", {"TTC"}},
        {CTRL_C, {"must not be interrupted", "Firmware update succeeded!", PROMPT}, true}},
       "xterm",
       true,
       "",
       {"--pace", "--enq-wait-ms", "60000"}},
      // The device never powers on: Ctrl-C ends the wait for its greeting.
      {"CtrlCDuringACommandEndsTheSessionCleanly",
       {{"connect 1\r", {}}, {CTRL_C, {"interrupted by Ctrl-C"}, true}},
       "xterm",
       true,
       "Command> connect 1\nConnecting at 9600...\n\nktreva-host: interrupted by Ctrl-C; the "
       "port is released, the session ends\n",
       {"--power-on-ms", "-1"},
       130},
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
  dir.write("z\xc3\xa4tion.txt", station);
  std::filesystem::create_directory(dir.path("u3"));
  dir.write("u3/caf\xc3\xa9.txt", station);
  dir.write("big.hex", hex_records(150));

  std::vector<std::string> argv{KTREVA_HOST_PATH, "--log", "session.log", "--trace", "trace.txt"};
  std::unique_ptr<BackgroundProgram> emu;
  if (session.device) {
    if (std::string(KTREVA_EMU_PATH).empty()) {
      GTEST_SKIP() << "no ktreva-emu in this build";
    }
    std::vector<std::string> emu_argv{KTREVA_EMU_PATH};
    emu_argv.insert(emu_argv.end(), session.emu_args.begin(), session.emu_args.end());
    emu = std::make_unique<BackgroundProgram>(emu_argv, dir.path());
    const std::string port = emu->first_line(WAIT_SECONDS);
    ASSERT_FALSE(port.empty());
    argv.insert(argv.end(), {"--com", "1=" + port});
  }
  TerminalProgram program(argv, dir.path(), session.term);
  ASSERT_TRUE(program.started());
  ASSERT_TRUE(program.wait_for(PROMPT, WAIT_SECONDS)) << visible(program.screen());
  const bool edited = std::string(session.term) == "xterm";
  std::vector<Keys> keys = session.keys;
  if (session.status == 1) keys.push_back({CTRL_D, {}});
  for (const Keys& k : keys) {
    if (edited && !k.mid_command) {
      ASSERT_TRUE(program.wait_for_raw_mode(WAIT_SECONDS)) << visible(program.screen());
    }
    if (edited && k.mid_command) {
      ASSERT_TRUE(program.wait_for_line_mode(WAIT_SECONDS)) << visible(program.screen());
    }
    program.type(k.typed);
    for (const std::string& text : k.then_shown) {
      const std::string shown = text == PIPED ? piped_answer(LONG_LINE, dir.path()) : text;
      ASSERT_TRUE(program.wait_for(shown, WAIT_SECONDS))
          << "after " << visible(k.typed) << " no " << visible(shown) << " in:\n"
          << visible(program.screen());
    }
  }
  EXPECT_EQ(program.wait_exit(WAIT_SECONDS), session.status) << visible(program.screen());
  EXPECT_EQ(program.screen().substr(program.screen().size() - 2), "\r\n");
  EXPECT_EQ(program.screen().find("terminal type"), std::string::npos);
  EXPECT_NE(read_file(dir.path("session.log")).find(session.logged), std::string::npos)
      << visible(read_file(dir.path("session.log")));
  if (session.status == 130) {
    const std::string trace = read_file(dir.path("trace.txt"));
    EXPECT_NE(trace.find(" close\n"), std::string::npos) << trace;
    EXPECT_EQ(trace.substr(trace.rfind(' ', trace.size() - 30)),
              " interrupted by Ctrl-C, the session ends\n")
        << trace;
  }
}

INSTANTIATE_TEST_SUITE_P(Keys, TerminalPrompt, testing::ValuesIn(sessions()),
                         [](const testing::TestParamInfo<Session>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
