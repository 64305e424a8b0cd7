#pragma once
// Labels that never cover each other: each is tried at a few places around
// the point it names, and takes the first that lies inside the drawing and
// overlaps no label placed before it. What cannot be placed is left out, so
// the most important labels are placed first.

#include <optional>
#include <string_view>
#include <vector>

#include "map/map_frame.h"

struct LabelBox {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;
};

bool boxes_overlap(const LabelBox& a, const LabelBox& b);

// Where a label's text goes: its start and baseline, as <text x y> takes them.
struct PlacedLabel {
  MapXY at;
  LabelBox box;
};

class LabelPlacer {
 public:
  explicit LabelPlacer(LabelBox bounds) : bounds_(bounds) {}

  // Places `text` at `font_size` near `anchor`, `gap` units away from it.
  std::optional<PlacedLabel> place(MapXY anchor, std::string_view text, double font_size,
                                   double gap = 4.0);
  const std::vector<LabelBox>& placed() const { return placed_; }

 private:
  LabelBox bounds_;
  std::vector<LabelBox> placed_;
};

// The width a sans-serif text of `font_size` takes, a little generously.
double text_width(std::string_view text, double font_size);
