#include "map/map_lines.h"

#include <cmath>
#include <cstdio>

namespace {

// A leap longer than this share of the frame's side is no line on the
// ground: it crosses the antipode, which the projection spreads round the rim.
constexpr double kLeapShare = 0.5;

void append_point(std::string& d, char command, MapXY p) {
  char text[48];
  const int n = std::snprintf(text, sizeof text, "%c%.1f %.1f ", command, p.x, p.y);
  if (n > 0) d.append(text, static_cast<std::size_t>(n));
}

double gap(MapXY a, MapXY b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

void append_plane_path(std::string& d, const MapFrame& frame, const std::vector<MapXY>& page,
                       double min_step) {
  const std::size_t n = page.size();
  const double leap = kLeapShare * frame.width();
  std::vector<bool> in(n);
  for (std::size_t i = 0; i < n; ++i) in[i] = frame.inside(page[i]);
  // A point is drawn when it, or a neighbour it is joined to, is inside:
  // the segments that cross the edge reach it, and the clip cuts them there.
  auto joined = [&](std::size_t a, std::size_t b) { return gap(page[a], page[b]) <= leap; };
  auto drawn = [&](std::size_t i) {
    return in[i] || (i > 0 && in[i - 1] && joined(i - 1, i)) ||
           (i + 1 < n && in[i + 1] && joined(i, i + 1));
  };
  bool open = false;
  MapXY last{};
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(page[i].x) || !std::isfinite(page[i].y) || !drawn(i)) {
      open = false;
      continue;
    }
    if (open && !joined(i - 1, i)) open = false;
    const bool run_ends = i + 1 == n || !drawn(i + 1) || !joined(i, i + 1);
    if (open && !run_ends && gap(last, page[i]) < min_step) continue;
    append_point(d, open ? 'L' : 'M', page[i]);
    last = page[i];
    open = true;
  }
}

void append_line_path(std::string& d, const MapFrame& frame, const std::vector<GeoPoint>& line,
                      double min_step) {
  std::vector<MapXY> page;
  page.reserve(line.size());
  for (const GeoPoint& p : line) page.push_back(frame.project(p));
  append_plane_path(d, frame, page, min_step);
}
