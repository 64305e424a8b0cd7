#include "console/console.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Gives prepared lines, then the end of input; notes what it is asked.
class ScriptedEditor : public LineEditor {
 public:
  struct Log {
    std::vector<std::string> prompts;
    std::vector<std::string> kept;
  };
  ScriptedEditor(std::vector<std::string> lines, Log& log) : lines_(std::move(lines)), log_(log) {}
  std::optional<std::string> read(const char* prompt) override {
    log_.prompts.push_back(prompt);
    if (next_ == lines_.size()) return std::nullopt;
    return lines_[next_++];
  }
  void remember(const std::string& line) override { log_.kept.push_back(line); }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  Log& log_;
};

TEST(Console, ACommandLineFromTheEditorReadsAsThePipedLine) {
  const std::vector<std::string> lines = {
      "help", "", std::string(300, 'a'), std::string(255, 'b'), std::string(254, 'c') + "\r",
      " x,y"};
  std::string piped_input;
  for (const std::string& line : lines) piped_input += line + "\n";
  Console piped(piped_input);
  Console edited("");
  ScriptedEditor::Log log;
  edited.use_line_editor(std::make_unique<ScriptedEditor>(lines, log));
  for (const std::string& line : lines) {
    char want[LINE_SIZE];
    char got[LINE_SIZE];
    ASSERT_TRUE(piped.read_command(want, LINE_SIZE, "Command> "));
    ASSERT_TRUE(edited.read_command(got, LINE_SIZE, "Command> ")) << line;
    EXPECT_STREQ(got, want) << line;
    edited.remember_command();
  }
  char buf[LINE_SIZE];
  EXPECT_FALSE(piped.read_command(buf, LINE_SIZE, "Command> "));
  EXPECT_FALSE(edited.read_command(buf, LINE_SIZE, "Command> "));
  // The editor shows the prompt; the history keeps lines whole, as typed.
  std::string prompts;
  for (int i = 0; i < 7; ++i) prompts += "Command> ";
  EXPECT_EQ(piped.output(), prompts);
  EXPECT_EQ(edited.output(), "");
  EXPECT_EQ(log.prompts, std::vector<std::string>(7, "Command> "));
  std::vector<std::string> kept = lines;
  kept.erase(kept.begin() + 1);  // an empty line is nothing to recall
  EXPECT_EQ(log.kept, kept);
}

TEST(Console, TheEndOfInputAtAnAnswerEndsTheCommandLinesToo) {
  Console con("");
  ScriptedEditor::Log log;
  con.use_line_editor(
      std::make_unique<ScriptedEditor>(std::vector<std::string>{"download", "x"}, log));
  char buf[LINE_SIZE];
  ASSERT_TRUE(con.read_command(buf, LINE_SIZE, "Command> "));
  EXPECT_STREQ(buf, "download\n");
  EXPECT_FALSE(con.read_line(buf, LINE_SIZE));
  EXPECT_FALSE(con.read_command(buf, LINE_SIZE, "Command> "));
  EXPECT_EQ(log.prompts.size(), 1u);
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
