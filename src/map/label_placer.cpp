#include "map/label_placer.h"

#include <array>

namespace {

constexpr double kWidthPerSize = 0.62;  // of an average sans-serif character
constexpr double kAscent = 0.8;         // of the font size, above the baseline
constexpr double kDescent = 0.25;       // below it

bool within(const LabelBox& inner, const LabelBox& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

}  // namespace

bool boxes_overlap(const LabelBox& a, const LabelBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

double text_width(std::string_view text, double font_size) {
  return static_cast<double>(text.size()) * font_size * kWidthPerSize;
}

std::optional<PlacedLabel> LabelPlacer::place(MapXY anchor, std::string_view text, double font_size,
                                              double gap) {
  const double w = text_width(text, font_size);
  const double up = kAscent * font_size;
  const double down = kDescent * font_size;
  // Start and baseline: right above, right below, left above, left below,
  // centred above, centred below.
  const std::array<MapXY, 6> starts{{{anchor.x + gap, anchor.y - gap},
                                     {anchor.x + gap, anchor.y + gap + up},
                                     {anchor.x - gap - w, anchor.y - gap},
                                     {anchor.x - gap - w, anchor.y + gap + up},
                                     {anchor.x - w / 2, anchor.y - gap - down},
                                     {anchor.x - w / 2, anchor.y + gap + up}}};
  for (const MapXY at : starts) {
    const LabelBox box{at.x, at.y - up, at.x + w, at.y + down};
    if (!within(box, bounds_)) continue;
    bool free = true;
    for (const LabelBox& other : placed_) free = free && !boxes_overlap(box, other);
    if (!free) continue;
    placed_.push_back(box);
    return PlacedLabel{at, box};
  }
  return std::nullopt;
}
