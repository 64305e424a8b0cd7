#pragma once
// Grid lines at round degrees across the map, with their labels on the
// map's top and left edges.

#include <string>

#include "map/map_frame.h"

std::string svg_graticule(const MapFrame& frame);

// "39.5°N", "104.25°W": a degree value with as many decimals as the step.
std::string degree_label(double value, double step, bool latitude);
