#include "console/editor_matches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MatchCase {
  const char* line;  // up to the cursor
  std::size_t span_start;
  Completion completion;
  std::vector<std::string> want;
};

TEST(EditorMatches, FitTheEditorsWord) {
  const std::vector<MatchCase> cases = {
      // One candidate: it twice, so that the editor takes it as the only one.
      {"conf", 0, {0, {"configure "}, {"configure"}}, {"configure ", "configure "}},
      // Several: what they share, then the choices to list.
      {"d",
       0,
       {0, {"dconfigure ", "drules "}, {"dconfigure", "drules"}},
       {"d", "dconfigure", "drules"}},
      {"connect com1", 8, {8, {"COM1 ", "COM10 "}, {"COM1", "COM10"}}, {"COM1", "COM1", "COM10"}},
      // The editor's word began at the blank inside the quotes.
      {"rules \"my f",
       10,
       {6, {"\"my file.txt\" "}, {"my file.txt"}},
       {"file.txt\" ", "file.txt\" "}},
      // The editor's word began earlier than the completer's.
      {"rules a\\ b", 6, {9, {"bc.txt "}, {"bc.txt"}}, {"a\\ bc.txt ", "a\\ bc.txt "}},
      // A shared part shorter than the word typed leaves the word alone.
      {"rules st",
       6,
       {6, {"\"st a\" ", "\"st b\" ", "s"}, {}},
       {"st", "\"st a\" ", "\"st b\" ", "s"}},
  };
  for (const MatchCase& c : cases) {
    EXPECT_EQ(editor_matches(c.completion, c.line, c.span_start), c.want) << c.line;
  }
}

TEST(EditorMatches, NothingToOfferGivesNothing) {
  // No candidates; a typed part before the editor's word that the candidate
  // does not begin with; starts past the cursor.
  EXPECT_TRUE(editor_matches({0, {}, {}}, "zz", 0).empty());
  EXPECT_TRUE(editor_matches({6, {"\"ab c\" "}, {}}, "rules xab c", 10).empty());
  EXPECT_TRUE(editor_matches({9, {"x "}, {}}, "rules", 0).empty());
  EXPECT_TRUE(editor_matches({0, {"x "}, {}}, "rules", 9).empty());
}

}  // namespace
