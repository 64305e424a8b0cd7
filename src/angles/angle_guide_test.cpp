#include "angles/angle_guide.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "angles/dmctodeg.h"

namespace {

std::vector<std::string> guide_lines() {
  std::vector<std::string> lines;
  std::istringstream in(angle_guide_text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> split_tabs(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; std::getline(in, word, '\t');) {
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

// The examples of each section: the lines after "Examples:" and its blank
// line, up to the next blank line; a DMC example ends at its comment.
std::vector<std::string> guide_examples() {
  const std::vector<std::string> lines = guide_lines();
  std::vector<std::string> examples;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "Examples:") continue;
    for (std::size_t j = i + 2; j < lines.size() && !lines[j].empty(); ++j) {
      for (const std::string& word : split_tabs(lines[j])) {
        if (word[0] == '#') break;
        examples.push_back(word);
      }
    }
  }
  return examples;
}

TEST(AngleGuide, EveryExampleParsesToItsIntendedValue) {
  const double pikes_lat = 38 + 50 / 60.0 + 26 / 3600.0;
  const double pikes_lon = -(105 + 2 / 60.0 + 39 / 3600.0);
  const std::pair<const char*, double> expected[] = {
      {"45:22:33", 45.375833},       {"-103:00:00", -103},
      {"-38:33:29.222", -38.558117}, {"45:18:", 45.3},
      {"45.22.64", 45.377333},       {"-103.00.", -103},
      {"-38.33.379", -38.556317},    {"N 39d 23.7m 33.9c", 39.404417},
      {"39d23.7m33.9C", 39.404417},  {"39.404415D", 39.404415},
      {"n39.395d 33.9c", 39.404417}, {"-42.5d", -42.5},
      {"N38d 50m 26c", pikes_lat},   {"W105d 2m 39c", pikes_lon},
      {"W 2m 39c 105d", pikes_lon},
  };
  const std::vector<std::string> examples = guide_examples();
  ASSERT_EQ(examples.size(), std::size(expected));
  for (std::size_t i = 0; i < examples.size(); ++i) {
    EXPECT_EQ(examples[i], expected[i].first);
    Console con("");
    EXPECT_NEAR(dmctodeg(con, examples[i].c_str()), expected[i].second, 1e-6) << examples[i];
    EXPECT_EQ(con.output(), "") << examples[i];
  }
}

TEST(AngleGuide, FixedLines) {
  const std::string text = angle_guide_text;
  const std::vector<std::string> lines = guide_lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Colon, Dotted and DMC formats for Angles, Latitudes and Longitudes");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Colon format");
  EXPECT_EQ(lines[3], "");
  for (const char* fragment : {
           "Two (2) colons are\nalways required for this format!  No imbedded white space is "
           "allowed!\n\n\t [s]DD:MM:SS[.F*]\t\tfor Latitudes\n\t[s]DDD:MM:SS[.F*]\t\tfor "
           "Longitudes\nWhere:\n",
           "Examples:\n\n\t45:22:33\t-103:00:00\t-38:33:29.222\t45:18:\n\n\nDotted format\n\n",
           "Two (2) periods are\nalways required for this format!  No imbedded white space is "
           "allowed!\n\n\t [s]DD.MM.[F*]\t\tfor Latitudes\n\t[s]DDD.MM.[F*]\t\tfor "
           "Longitudes\nWhere:\n",
           "Examples:\n\n\t45.22.64\t-103.00.\t-38.33.379\n\n\nDMC format\n\n",
           "DMC stands for Degrees, Minutes and seConds.  S cannot be used for the seconds\n"
           "identifier because that is reserved for the S direction.\n",
           "\tD, d\tDegrees\n\tM, m\tMinutes\n\tC, c\tseConds\n",
           "\tN, n\tNorth\n\tS, s\tSouth\n\tE, e\tEast\n\tW, w\tWest\n",
           "\tN 39d 23.7m 33.9c\t# a North latitude\n\t39d23.7m33.9C\t\t# the same thing\n"
           "\t39.404415D\t\t# the same thing (approx.)\n\tn39.395d 33.9c\t\t# the same thing "
           "(approx.)\n\t-42.5d\t\t\t# South latitude or West longitude\n",
       }) {
    EXPECT_NE(text.find(fragment), std::string::npos) << fragment;
  }
  EXPECT_NE(text.back(), '\n');  // the command adds the one line break
}

// The "Where:" entries: a tab, the symbol, two tabs, the description, and
// continuation lines indented by three tabs.
TEST(AngleGuide, WhereEntriesAreTabbed) {
  const std::vector<std::string> lines = guide_lines();
  int entries = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] != "Where:") continue;
    for (std::size_t j = i + 1; lines[j] != "Examples:"; ++j) {
      const std::string& l = lines[j];
      if (l.rfind("\t\t\t", 0) == 0) {
        EXPECT_NE(l[3], '\t') << l;
        continue;
      }
      ++entries;
      ASSERT_EQ(l[0], '\t') << l;
      const std::size_t tabs = l.find("\t\t", 1);
      ASSERT_NE(tabs, std::string::npos) << l;
      EXPECT_EQ(l.find('\t', 1), tabs) << l;
      EXPECT_NE(l[tabs + 2], '\t') << l;
    }
  }
  EXPECT_EQ(entries, 6 + 5);
}

}  // namespace
