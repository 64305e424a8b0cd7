#pragma once
// The geography under the rules, in quiet colours: coastlines, country
// borders, state lines, and towns with their names. Each layer is one group
// with class "geo KIND" (coast, border, state, town); each town's name is a
// <text class="town">. Towns are chosen by the map's scale, the larger
// first, and drawn only where their names find room.

#include <string>

#include "map/geo_data.h"
#include "map/label_placer.h"
#include "map/map_frame.h"

// The coast, border and state groups.
std::string svg_geo_lines(const MapFrame& frame, const Geography& geo);

// The town group; each name takes its place from `placer`.
std::string svg_towns(const MapFrame& frame, const Geography& geo, LabelPlacer& placer);
