#include "shell/words.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/conf_keywords.h"
#include "shell/cmd_table.h"

namespace {

std::vector<std::string> split(std::string line) {
  WordSplitter words(line.data());
  std::vector<std::string> out;
  while (const char* w = words.next()) out.emplace_back(w);
  return out;
}

TEST(Words, SplitsAtRunsOfSeparators) {
  EXPECT_EQ(split("  connect,,3 \t 9600"), (std::vector<std::string>{"connect", "3", "9600"}));
  EXPECT_TRUE(split(" ,\t").empty());
  EXPECT_TRUE(split("").empty());
}

TEST(Words, FileNames) {
  struct Case {
    std::string line;
    const char* name;  // null: no word left
    bool unclosed;
    const char* after;  // the word that follows, or null
  };
  const Case cases[] = {
      {"  station.txt x", "station.txt", false, "x"},
      {"my\"file.txt", "my\"file.txt", false, nullptr},
      {" \"C:\\Jo Smith\\a, b.txt\"\tx", "C:\\Jo Smith\\a, b.txt", false, "x"},
      {"\"a\tb\"x y", "a\tb", false, "x"},
      {"\"\" x", "", false, "x"},
      {", \"my file", "\"my file", true, nullptr},
      {" ,\t", nullptr, false, nullptr},
  };
  for (Case c : cases) {
    WordSplitter words(c.line.data());
    bool unclosed = true;
    const char* name = words.next_file_name(&unclosed);
    if (c.name == nullptr) {
      EXPECT_EQ(name, nullptr) << c.line;
      continue;
    }
    ASSERT_NE(name, nullptr) << c.line;
    EXPECT_STREQ(name, c.name) << c.line;
    EXPECT_EQ(unclosed, c.unclosed) << c.line;
    const char* after = words.next();
    EXPECT_STREQ(after, c.after) << c.line;
  }
}

TEST(CmdTable, CommandAndItemCodesShareOneNumbering) {
  std::set<std::uint32_t> commands;  // several names share a code
  for (const CmdEntry& e : cmd_table) commands.insert(e.code);
  std::multiset<std::uint32_t> codes(commands.begin(), commands.end());
  for (const ConfKeyword& row : conf_keywords) {
    if (row.keyword != std::string("base")) codes.insert(row.item);  // base is position
  }
  for (std::uint32_t code = 0; code <= 34; ++code) {
    const bool unassigned = code == 6 || code == 7 || code == 12 || code == 13 || code == 25;
    EXPECT_EQ(codes.count(code), unassigned ? 0u : 1u) << "code " << code;
  }
}

TEST(CmdTable, PrefixMatching) {
  for (const char* w : {"d", "c", "con", "D"}) {
    EXPECT_EQ(match_command(w).kind, MatchKind::kAmbiguous) << w;
  }
  const std::pair<const char*, const char*> unique[] = {{"dc", "dconfigure"},
                                                        {"dr", "drules"},
                                                        {"do", "download"},
                                                        {"di", "disconnect"},
                                                        {"conf", "configure"},
                                                        {"conn", "connect"},
                                                        {"e", "exit"},
                                                        {"q", "quit"},
                                                        {"x", "x"},
                                                        {"h", "help"},
                                                        {"?", "?"},
                                                        {"a", "angles"},
                                                        {"b", "baud"},
                                                        {"f", "firmware"},
                                                        {"r", "rules"},
                                                        {"HELP", "help"},
                                                        {".", "."}};
  for (const auto& [word, name] : unique) {
    const CmdMatch m = match_command(word);
    ASSERT_EQ(m.kind, MatchKind::kUnique) << word;
    EXPECT_STREQ(m.entry->name, name) << word;
  }
  EXPECT_EQ(match_command("helpme").kind, MatchKind::kNone);
  EXPECT_EQ(match_command("xx").kind, MatchKind::kNone);
}

}  // namespace
