#include "console/console.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string CTRL_D = "(Ctrl-D)";

// Gives prepared lines (CTRL_D: the end of input once), then the end of
// input; notes what it is asked.
struct ScriptedEditor : LineEditor {
  ScriptedEditor(std::vector<std::string> lines, std::vector<std::string>& log)
      : lines(std::move(lines)), log(log) {}
  std::optional<std::string> read(const char* prompt) override {
    log.push_back(prompt);
    return take();
  }
  std::optional<std::string> read_answer(const char* prompt) override {
    log.push_back(std::string("answer after ") + prompt);
    return take();
  }
  std::optional<std::string> take() {
    if (next == lines.size()) return std::nullopt;
    const std::string& line = lines[next++];
    return line == CTRL_D ? std::nullopt : std::optional(line);
  }
  void remember(const std::string& line) override { log.push_back("kept " + line); }
  std::vector<std::string> lines;
  std::size_t next = 0;
  std::vector<std::string>& log;
};

TEST(Console, ACommandLineFromTheEditorReadsAsThePipedLine) {
  const std::vector<std::string> lines = {
      "help", "", std::string(300, 'a'), std::string(255, 'b'), std::string(254, 'c') + "\r",
      " x,y"};
  std::string piped_input;
  std::vector<std::string> want_log;
  for (const std::string& line : lines) {
    piped_input += line + "\n";
    want_log.push_back("Command> ");
    if (!line.empty()) want_log.push_back("kept " + line);  // whole, as typed
  }
  want_log.push_back("Command> ");
  Console piped(piped_input);
  Console edited("");
  std::vector<std::string> log;
  edited.use_line_editor(std::make_unique<ScriptedEditor>(lines, log));
  char want[LINE_SIZE];
  char got[LINE_SIZE];
  for (const std::string& line : lines) {
    ASSERT_TRUE(piped.read_command(want, LINE_SIZE, "Command> "));
    ASSERT_TRUE(edited.read_command(got, LINE_SIZE, "Command> ")) << line;
    EXPECT_STREQ(got, want) << line;
    edited.remember_command();
  }
  EXPECT_FALSE(piped.read_command(want, LINE_SIZE, "Command> "));
  EXPECT_FALSE(edited.read_command(got, LINE_SIZE, "Command> "));
  EXPECT_EQ(log, want_log);
  EXPECT_EQ(edited.output(), "");  // the editor showed the prompts
}

// Questions read through the editor, in turn with the commands, after the
// question's last line; Ctrl-D answers one question and the prompt reads on.
TEST(Console, AnswersComeThroughTheEditorAndCtrlDEndsOnlyTheAnswer) {
  Console con("");
  std::vector<std::string> log;
  con.use_line_editor(std::make_unique<ScriptedEditor>(
      std::vector<std::string>{"download", CTRL_D, "firmware 1 f", "y", "dconfigure"}, log));
  char buf[LINE_SIZE];
  ASSERT_TRUE(con.read_command(buf, LINE_SIZE, "Command> "));
  con.print("\a\aWarning: x!\nDo you want? (yes|no) [no]: ");
  EXPECT_FALSE(con.read_line(buf, LINE_SIZE));
  ASSERT_TRUE(con.read_command(buf, LINE_SIZE, "Command> "));
  con.print("continue (n or y)? [n]: ");
  ASSERT_TRUE(con.read_line(buf, LINE_SIZE));
  EXPECT_STREQ(buf, "y\n");
  con.remember_command();  // the answer is no command to keep
  ASSERT_TRUE(con.read_command(buf, LINE_SIZE, "Command> "));
  EXPECT_STREQ(buf, "dconfigure\n");
  const std::vector<std::string> want = {
      "Command> ",         "answer after Do you want? (yes|no) [no]: ",
      "Command> ",         "answer after continue (n or y)? [n]: ",
      "kept firmware 1 f", "Command> "};
  EXPECT_EQ(log, want);
}

// The log holds both streams in the order they came, and the typed lines.
TEST(Console, TheLogTakesErrorsInTheirPlace) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    Console con("abc\n");
    con.set_log(file, "log");
    con.print("Command> ");
    char buf[LINE_SIZE];
    ASSERT_TRUE(con.read_line(buf, LINE_SIZE));
    con.print("\n\n\r 1%%\r 2%%=");
    con.error("\a\aError: could not read\nReturn code 26, system error code 5\n");
  }
  std::rewind(file);
  char text[256] = {};
  EXPECT_EQ(std::string(text, std::fread(text, 1, sizeof text, file)),
            "Command> abc\n\n\n 2%=\a\aError: could not read\nReturn code 26, system error "
            "code 5\n");
  std::fclose(file);
}

TEST(Console, ReadLineKeepsNewlineAndTurnsCrLfIntoLf) {
  Console con("one\r\ntwo\nlast");
  char buf[16];
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "one\n");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "two\n");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "last");
  EXPECT_FALSE(con.read_line(buf, sizeof buf));
}

TEST(Console, LongLineIsCutAndItsRestDropped) {
  Console con(std::string(20, 'a') + "\nnext\n" + std::string(7, 'b') + "\r\n" + "cccccc\r\n" +
              "dddddd\rxx\n" + "e\rf\n");
  char buf[8];
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "aaaaaaa");
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "next\n");
  // Exactly full: the line end that did not fit is still consumed.
  ASSERT_TRUE(con.read_line(buf, sizeof buf));
  EXPECT_STREQ(buf, "bbbbbbb");
  // A CR LF that the buffer splits is one line end; any other CR stays.
  for (const char* want : {"cccccc\n", "dddddd\r", "e\rf\n"}) {
    ASSERT_TRUE(con.read_line(buf, sizeof buf));
    EXPECT_STREQ(buf, want);
  }
  EXPECT_FALSE(con.read_line(buf, sizeof buf));
}

TEST(Console, PrintFormatsExactly) {
  Console con("");
  con.print("%-10s|%4.1f%%|%c", "ab", 50.0, '\a');
  EXPECT_EQ(con.output(), "ab        |50.0%|\a");
  con.error("Return code %d\n", 26);
  EXPECT_EQ(con.errors(), "Return code 26\n");
}

}  // namespace
