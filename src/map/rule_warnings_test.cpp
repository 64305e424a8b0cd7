#include "map/rule_warnings.h"

#include <gtest/gtest.h>

#include "support/rules_fixture.h"

namespace {

constexpr StationSource kConfigured{"s.txt", 12};

class RuleWarnings : public RulesFixture {
 protected:
  std::vector<std::string> warnings(const std::string& text, const StationSource& source) {
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
      kConfigured);
  EXPECT_TRUE(none.empty()) << none.front();
}

TEST_F(RuleWarnings, FarAreasAndTheDefaultPositionAreNamedByLine) {
  const std::vector<std::string> got = warnings(
      "drop\timplicit\n"
      "pass\tsource\tN0CALL\n"
      "pass\tcompass\tN, 39:44:00, 104:59:00\n",
      StationSource{});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].rfind("Warning: r.txt[3]: area rules checked against the default station "
                         "position (",
                         0),
            0u)
      << got[0];
  EXPECT_EQ(got[1].rfind("Warning: r.txt[3]: compass lies ", 0), 0u) << got[1];
  // A configuration file without a position line, unlike one whose
  // position happens to be the default's.
  EXPECT_NE(warnings("pass\tcircle\t10, 39:44:00, -104:59:00\n", StationSource{"s.txt", 0})
                .front()
                .find("the configuration file sets no position"),
            std::string::npos);
}

TEST_F(RuleWarnings, EveryAreaFarAwayBlamesTheStationPositionOnce) {
  const std::vector<std::string> got = warnings(
      "pass\tcircle\t25, 39:44:21, 104:59:03\n"
      "pass\trectangle\tN 41d, E 109d, N 37d, E 102d\n",
      kConfigured);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0],
            "Warning: s.txt[12]: every area rule (2) lies more than 500 miles from this station "
            "position (39.750000, -104.989998): check the signs of its latitude and longitude\n");
}

TEST_F(RuleWarnings, AWideBoxAndAnOverriddenImplicitLine) {
  const std::vector<std::string> got = warnings(
      "drop\timplicit\n"
      "pass\trectangle\tN 41d, W 179d, N 37d, E 179d\n"
      "pass\tcircle\t25, 39:44:21, -104:59:03\n"
      "drop\timplicit\n"
      "pass\timplicit\n",
      kConfigured);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0],
            "Warning: r.txt[2]: the device compares longitudes as numbers: this box spans 358 "
            "degrees; if you meant the box across the date line, split it in two\n");
  EXPECT_EQ(got[1],
            "Warning: r.txt[5]: implicit pass overrides line 4 (implicit drop): only the last "
            "implicit line counts\n");
}

}  // namespace
