#pragma once
// Meridians and parallels at round degrees, as the station's projection
// bends them: meridians converge on the poles. Each line is labelled where it
// meets the map's top (meridians) or left (parallels) edge.

#include <string>
#include <vector>

#include "map/label_placer.h"
#include "map/map_frame.h"

struct GridLabel {
  MapXY anchor;
  std::string text;
};

// The lines' SVG group; `labels` gets what to write and where.
std::string svg_graticule(const MapFrame& frame, std::vector<GridLabel>& labels);

// The labels that find a place, as an SVG group.
std::string svg_grid_labels(const std::vector<GridLabel>& labels, LabelPlacer& placer);

// "39.5°N", "104.25°W": a degree value with as many decimals as the step.
std::string degree_label(double value, double step, bool latitude);
