#include "console/console.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Gives prepared lines, then the end of input; notes what it is asked.
struct ScriptedEditor : LineEditor {
  ScriptedEditor(std::vector<std::string> lines, std::vector<std::string>& log)
      : lines(std::move(lines)), log(log) {}
  std::optional<std::string> read(const char* prompt) override {
    log.push_back(prompt);
    return next < lines.size() ? std::optional(lines[next++]) : std::nullopt;
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

TEST(Console, TheEndOfInputAtAnAnswerEndsTheCommandLinesToo) {
  Console con("");
  std::vector<std::string> log;
  con.use_line_editor(std::make_unique<ScriptedEditor>(std::vector<std::string>{"a", "b"}, log));
  char buf[LINE_SIZE];
  ASSERT_TRUE(con.read_command(buf, LINE_SIZE, "Command> "));
  EXPECT_FALSE(con.read_line(buf, LINE_SIZE));
  EXPECT_FALSE(con.read_command(buf, LINE_SIZE, "Command> "));
  EXPECT_EQ(log.size(), 1u);
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
