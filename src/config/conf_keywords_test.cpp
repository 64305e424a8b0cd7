#include "config/conf_keywords.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ConfKeywords, TableRowsInOrder) {
  const ConfKeyword want[CONF_KEYWORDS_SIZE] = {
      {"call", 9},       {"ssid", 10},       {"position", 11},  {"base", 11},     {"havegps", 27},
      {"log", 32},       {"dropmangld", 17}, {"haltonerr", 16}, {"fixvalid", 18}, {"host", 4},
      {"tnc", 3},        {"gps", 2},         {"nsr", 20},       {"relay", 19},    {"widemax", 14},
      {"widetotal", 15}, {"dupewin", 34},    {"nonaprs", 21}};
  for (std::size_t i = 0; i < CONF_KEYWORDS_SIZE; ++i) {
    EXPECT_STREQ(conf_keywords[i].keyword, want[i].keyword) << "row " << i;
    EXPECT_EQ(conf_keywords[i].item, want[i].item) << "row " << i;
  }
}

struct MatchCase {
  const char* token;
  int count;
  const char* keyword;  // the row matched when the count is 1
};

TEST(ConfKeywords, MatchesByLeadingPartCountingEveryRow) {
  const MatchCase cases[] = {
      {"h", 3, nullptr},         {"ha", 2, nullptr},        {"d", 2, nullptr},
      {"n", 2, nullptr},         {"wide", 2, nullptr},      {"hav", 1, "havegps"},
      {"ho", 1, "host"},         {"dr", 1, "dropmangld"},   {"du", 1, "dupewin"},
      {"widem", 1, "widemax"},   {"widet", 1, "widetotal"}, {"HOST", 1, "host"},
      {"NonAprs", 1, "nonaprs"}, {"p", 1, "position"},      {"b", 1, "base"},
      {"call", 1, "call"},       {"hostbaud", 0, nullptr},  {"relay#yes", 0, nullptr},
      {"calls", 0, nullptr},     {"x", 0, nullptr},         {"gpsx", 0, nullptr},
  };
  for (const MatchCase& c : cases) {
    const ConfKeyword* row = nullptr;
    EXPECT_EQ(conf_match_keyword(c.token, &row), c.count) << c.token;
    if (c.count == 1) {
      ASSERT_NE(row, nullptr) << c.token;
      EXPECT_STREQ(row->keyword, c.keyword) << c.token;
    }
  }
}

}  // namespace
