#include "console/session_log.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string logged(const std::vector<std::string>& writes) {
  std::FILE* file = std::tmpfile();
  {
    SessionLog log(file, "log");
    for (const std::string& text : writes) EXPECT_EQ(log.write(text), "");
  }
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

TEST(SessionLog, KeepsWhatTheScreenFinallyShows) {
  const struct {
    std::vector<std::string> writes;
    std::string want;
  } cases[] = {
      {{"Command> ", "help\n", "Command> "}, "Command> help\nCommand> "},
      {{"\n\n", "\r  0s 10%", "\r  1s 20%=", "\r  2s 30%==", "\n"}, "\n\n  2s 30%==\n"},
      {{"abcdef\rXY\n"}, "XYcdef\n"},                  // a shorter redraw leaves the rest
      {{"line\r", "\nnext\r\n"}, "line\r\nnext\r\n"},  // CR LF split or whole stays
      {{"\a\aError: x\n"}, "\a\aError: x\n"},
      {{"upload\r", "done"}, "donead"},  // an unfinished line is written at the end
  };
  for (const auto& c : cases) EXPECT_EQ(logged(c.writes), c.want);
}

TEST(SessionLog, AFailedWriteIsReportedOnceWithTheNameAndReason) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full here";
  SessionLog log(full, "/dev/full");
  EXPECT_EQ(log.write("one\n"), "ktreva-host: cannot write the log file /dev/full: " +
                                    std::string(std::strerror(ENOSPC)) + "\n");
  EXPECT_EQ(log.write("two\n"), "");
  EXPECT_EQ(log.finish(), "");
  std::fclose(full);
}

}  // namespace
