#include "map/geo_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace std::string_literals;

// A small file of every section: a credit, one coast line, one state line,
// two towns, the end.
std::string small_file() {
  std::string f = "KTGEO1\n\0\0"s;
  f += "\x05"
       "Hello"s;
  // One coast line of two points: (lon 1.000, lat 2.000), then +0.001 each.
  f += "\x01\x01\x02"s;
  f += "\xd0\x0f\xa0\x1f\x02\x02"s;
  f += "\x03\x01\x02\x01\x01\x02\x02"s;
  // Towns: population 5, lon -0.001 lat 0, "Ab"; population 300, "Xyz".
  f += "\x04\x02\x05\x01\x00\x02"
       "Ab\xac\x02\x02\x00\x03"
       "Xyz"s;
  f += '\xff';
  return f;
}

TEST(GeoData, ReadsEverySection) {
  Geography geo;
  ASSERT_EQ(parse_geography(small_file(), geo), "");
  EXPECT_EQ(geo.credit, "Hello");
  ASSERT_EQ(geo.coast.size(), 1u);
  ASSERT_EQ(geo.coast[0].size(), 2u);
  EXPECT_DOUBLE_EQ(geo.coast[0][0].lon, 1.0);
  EXPECT_DOUBLE_EQ(geo.coast[0][0].lat, 2.0);
  EXPECT_DOUBLE_EQ(geo.coast[0][1].lat, 2.001);
  EXPECT_EQ(geo.state.size(), 1u);
  ASSERT_EQ(geo.towns.size(), 2u);
  EXPECT_EQ(geo.towns[0].name, "Xyz");  // the larger first
  EXPECT_EQ(geo.towns[0].population, 300u);
  EXPECT_DOUBLE_EQ(geo.towns[1].at.lon, -0.001);
}

TEST(GeoData, EveryTruncationAndDamageIsRefusedWhole) {
  const std::string whole = small_file();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    Geography geo;
    geo.credit = "kept";
    EXPECT_NE(parse_geography(whole.substr(0, size), geo), "") << size;
    EXPECT_EQ(geo.credit, "kept") << "changed by a refused file of " << size << " bytes";
  }
  // Each byte of the file flipped: refused or read, never a crash or a
  // point off the globe.
  for (std::size_t i = 0; i < whole.size(); ++i) {
    for (const char flip : {'\x80', '\x7f', '\xff'}) {
      std::string damaged = whole;
      damaged[i] = static_cast<char>(damaged[i] ^ flip);
      Geography geo;
      if (!parse_geography(damaged, geo).empty()) continue;
      for (const GeoLine& line : geo.coast) {
        for (const GeoPoint& p : line) EXPECT_LE(std::fabs(p.lat), 90.0);
      }
    }
  }
  Geography geo;
  EXPECT_NE(parse_geography(whole + "x", geo), "");
  EXPECT_NE(load_geography("/nonexistent/ktreva-geo.dat", geo), "");
}

TEST(GeoData, TheCommittedFileReads) {
  Geography geo;
  ASSERT_EQ(load_geography(std::string(KTREVA_SOURCE_DIR) + "/data/ktreva-geo.dat", geo), "");
  EXPECT_GT(geo.coast.size(), 100u);
  EXPECT_GT(geo.border.size(), 100u);
  EXPECT_GT(geo.state.size(), 10u);
  EXPECT_GT(geo.towns.size(), 10000u);
  EXPECT_NE(geo.credit.find("GeoNames"), std::string::npos);
}

}  // namespace
