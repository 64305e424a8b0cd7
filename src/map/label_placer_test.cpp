#include "map/label_placer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LabelPlacer, CrowdedLabelsNeverOverlapAndStayInside) {
  const LabelBox bounds{0, 0, 300, 200};
  LabelPlacer placer(bounds);
  int placed = 0;
  // Forty labels on a few crowded points, some near the edges.
  for (int i = 0; i < 40; ++i) {
    const MapXY anchor{(i % 4) * 90.0 + 5.0, (i % 3) * 95.0 + 2.0};
    if (placer.place(anchor, "Town " + std::to_string(i), 12.0)) ++placed;
  }
  const std::vector<LabelBox>& boxes = placer.placed();
  ASSERT_EQ(boxes.size(), static_cast<std::size_t>(placed));
  EXPECT_GT(placed, 8);
  EXPECT_LT(placed, 40) << "some must have been left out";
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_GE(boxes[i].left, bounds.left);
    EXPECT_LE(boxes[i].right, bounds.right);
    EXPECT_GE(boxes[i].top, bounds.top);
    EXPECT_LE(boxes[i].bottom, bounds.bottom);
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(boxes_overlap(boxes[i], boxes[j])) << i << " and " << j;
    }
  }
  EXPECT_FALSE(placer.place({-50, 100}, "Outside", 10.0)) << "a label off the canvas";
}

}  // namespace
