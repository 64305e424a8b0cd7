#include "map/rule_warnings.h"

#include <gtest/gtest.h>

#include "support/rules_fixture.h"

namespace {

class RuleWarnings : public RulesFixture {
 protected:
  std::vector<std::string> warnings(const std::string& text, StationSource source) {
    conf.base_lat = 39.75;  // a station configured at Denver
    conf.base_lon = -104.99;
    EXPECT_EQ(compile(text), 0) << out;
    return rule_warnings(rules, conf, "r.txt", source);
  }
};

TEST_F(RuleWarnings, AreasNearTheStationOrAroundItAreQuiet) {
  // The station inside a rectangle far larger than 500 miles, a circle whose
  // edge is near though its centre is not, and a sector (no place of its own).
  const std::vector<std::string> none = warnings(
      "drop\timplicit\n"
      "pass\trectangle\tN 49d, W 125d, N 25d, W 67d\n"
      "pass\tcircle\t600, 45:00:00, -95:00:00\n"
      "pass\tsector\t0d, 90d, 0, 2000\n",
      StationSource::kConfigFile);
  EXPECT_TRUE(none.empty()) << none.front();
}

TEST_F(RuleWarnings, FarAreasAndTheDefaultPositionAreNamedByLine) {
  const std::vector<std::string> got = warnings(
      "drop\timplicit\n"
      "pass\tsource\tN0CALL\n"
      "pass\tcompass\tN, 39:44:00, 104:59:00\n",
      StationSource::kNoConfigFile);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].rfind("Warning: r.txt[3]: area rules checked against the default station "
                         "position (",
                         0),
            0u)
      << got[0];
  EXPECT_EQ(got[1].rfind("Warning: r.txt[3]: compass lies ", 0), 0u) << got[1];
}

}  // namespace
