#pragma once
// Lines on the ground as SVG path data: projected, cut where they leave the
// frame or leap across the antipode (where the projection tears), and thinned
// to what the page can show.

#include <string>
#include <vector>

#include "map/map_frame.h"

// Appends the path data of `line` to `d`; points closer than `min_step`
// page units to the last one drawn are left out.
void append_line_path(std::string& d, const MapFrame& frame, const std::vector<GeoPoint>& line,
                      double min_step);

// The same for points already on the page.
void append_plane_path(std::string& d, const MapFrame& frame, const std::vector<MapXY>& page,
                       double min_step);
