#include "console/editor_matches.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorMatches, FitTheEditorsWord) {
  struct Case {
    const char* line;  // up to the cursor
    std::size_t span_start;
    Completion completion;
    std::vector<std::string> want;
  };
  const std::vector<Case> cases = {
      // One candidate twice, the editor's sign of the only one; several: the
      // part they share, then the choices.
      {"conf", 0, {0, {"configure "}, {"configure"}}, {"configure ", "configure "}},
      {"connect com1", 8, {8, {"COM1 ", "COM10 "}, {"COM1", "COM10"}}, {"COM1", "COM1", "COM10"}},
      // The editor's word begins at the blank inside the quotes, or earlier.
      {"rules \"my f", 10, {6, {"\"my f.txt\" "}, {}}, {"f.txt\" ", "f.txt\" "}},
      {"rules a\\ b", 6, {9, {"bc "}, {}}, {"a\\ bc ", "a\\ bc "}},
      // Sharing less than was typed leaves the word as it is.
      {"rules st", 6, {6, {"\"st a\" ", "s"}, {}}, {"st", "\"st a\" ", "s"}},
      // Nothing: no candidate; text before the editor's word that the
      // candidate does not begin with; a word past the cursor.
      {"zz", 0, {0, {}, {}}, {}},
      {"rules xab c", 10, {6, {"\"ab c\" "}, {}}, {}},
      {"rules", 0, {9, {"x "}, {}}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(editor_matches(c.completion, c.line, c.span_start), c.want) << c.line;
  }
}

}  // namespace
