#include "map/area_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const GeoPoint kDenver{39.75, -104.99};

TEST(Azimuthal, DistanceAndBearingFromTheCentreAreTrue) {
  const Azimuthal projection(kDenver);
  for (const GeoPoint p : {GeoPoint{40.0, -105.0}, GeoPoint{-33.9, 151.2}, GeoPoint{64.1, -21.9}}) {
    const PlaneXY xy = projection.project(p);
    EXPECT_NEAR(plane_miles(xy), great_circle_miles(kDenver, p), 1e-6);
    const GeoPoint back = projection.unproject(xy);
    EXPECT_NEAR(back.lat, p.lat, 1e-9);
    EXPECT_NEAR(back.lon, p.lon, 1e-9);
  }
}

TEST(AreaShape, SectorFromAng1ToAng2IsAWedgeWestOfTheStation) {
  RuleArea s;
  s.kind = RULE_SECTOR;
  s.ang1 = 250.0;
  s.ang2 = 290.0;
  s.inner = 10.0;
  s.outer = 60.0;
  const AreaShape shape = area_shape(s, Azimuthal({-40.0, 170.0}), 0.0, 0.0);
  ASSERT_EQ(shape.rings.size(), 1u);
  for (const PlaneXY p : shape.rings[0]) {
    EXPECT_LT(p.x, -3.0);
    EXPECT_GE(plane_miles(p), 10.0 - 1e-9);
    EXPECT_LE(plane_miles(p), 60.0 + 1e-9);
  }
}

TEST(AreaShape, CirclesRoundThePoleThePastTheAntipodeAndTheWholeEarth) {
  RuleArea c;
  c.kind = RULE_CIRCLE;
  c.point = {-88.0, 120.0};
  c.radius = 700.0;
  const Azimuthal pole(GeoPoint{-85.0, 30.0});
  AreaShape shape = area_shape(c, pole, 0.0, 0.0);
  ASSERT_EQ(shape.rings.size(), 1u);
  EXPECT_FALSE(shape.covers_everything);
  // The station (the origin) inside: points of the ring on every side of it.
  double most_x = -1e9, least_x = 1e9, most_y = -1e9, least_y = 1e9;
  for (const PlaneXY p : shape.rings[0]) {
    most_x = std::max(most_x, p.x);
    least_x = std::min(least_x, p.x);
    most_y = std::max(most_y, p.y);
    least_y = std::min(least_y, p.y);
  }
  EXPECT_TRUE(least_x < 0 && most_x > 0 && least_y < 0 && most_y > 0);

  // Round the antipode of the station: the outline bounds a hole in the disc.
  c.point = {-40.0, -150.0};
  c.radius = 2000.0;
  shape = area_shape(c, Azimuthal({40.0, 30.0}), 0.0, 0.0);
  EXPECT_EQ(shape.rings.size(), 2u);
  c.radius = HALF_CIRCUMFERENCE_MILES;
  shape = area_shape(c, Azimuthal(kDenver), 0.0, 0.0);
  EXPECT_TRUE(shape.covers_everything);
}

TEST(AreaShape, ARectangleIsTheBoxBetweenItsNumbersWhateverTheStation) {
  RuleArea r;
  r.kind = RULE_RECTANGLE;
  r.point = {-10.0, 170.0};
  r.corner2 = {-20.0, -170.0};
  const GeoBox box = rectangle_box(r);
  EXPECT_EQ(box.west, -170.0);
  EXPECT_EQ(box.east, 170.0);
  for (const GeoPoint station : {GeoPoint{-17.8, 178.0}, GeoPoint{21.3, -157.8}}) {
    const Azimuthal projection(station);
    const AreaShape shape = area_shape(r, projection, 0.0, 0.0);
    for (const PlaneXY p : shape.rings[0]) {
      const GeoPoint g = projection.unproject(p);
      EXPECT_TRUE(std::fabs(g.lat + 10.0) < 1e-6 || std::fabs(g.lat + 20.0) < 1e-6 ||
                  std::fabs(std::fabs(g.lon) - 170.0) < 1e-6)
          << g.lat << " " << g.lon;
    }
  }
}

}  // namespace
