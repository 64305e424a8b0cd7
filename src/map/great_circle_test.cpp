#include "map/great_circle.h"

#include <gtest/gtest.h>

TEST(GreatCircle, WorkedDistancesAndTheirWayBack) {
  EXPECT_NEAR(great_circle_miles({39.0, -105.0}, {40.0, -105.0}), 69.1, 0.05);
  EXPECT_NEAR(great_circle_miles({0.0, 0.0}, {0.0, 1.0}), 69.1, 0.05);
  // A sign slip: the same latitude, the longitude positive instead of west.
  EXPECT_GT(great_circle_miles({39.75, -104.99}, {39.75, 104.99}), 6000.0);
  // Across the date line the short way round.
  EXPECT_NEAR(great_circle_miles({0.0, 179.5}, {0.0, -179.5}), 69.1, 0.05);
  const GeoPoint start{39.75, -104.99};
  for (const double bearing : {0.0, 45.0, 135.0, 270.0}) {
    const GeoPoint there = destination_point(start, bearing, 25.0);
    EXPECT_NEAR(great_circle_miles(start, there), 25.0, 1e-6) << bearing;
  }
  EXPECT_NEAR(unwrap_lon(-179.0, 179.0), 181.0, 1e-9);
}
