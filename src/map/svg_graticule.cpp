#include "map/svg_graticule.h"

#include <algorithm>
#include <cmath>

#include "console/console.h"
#include "map/map_lines.h"
#include "map/svg_text.h"

namespace {

constexpr double kLinesWanted = 4.0;   // at least this many across the map
constexpr double kWideMiles = 2500.0;  // beyond this the whole globe's grid is drawn
constexpr int kEdgeSamples = 64;       // per side, to find the degrees the frame spans
constexpr double kLabelSize = 10.0;

struct DegreeRange {
  double south = -90.0;
  double north = 90.0;
  double west = -180.0;
  double east = 180.0;
};

int decimals_for(double step) {
  return step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

// Round steps, and past 10 degrees the ones that divide the globe evenly.
double grid_step(double span) {
  const double step = round_step_below(span / kLinesWanted);
  if (step <= 10.0) return step;
  return step < 30.0 ? 15.0 : 30.0;
}

bool pole_inside(const MapFrame& frame, double lat) {
  const PlaneXY p = frame.projection().project({lat, 0.0});
  return plane_miles(p) < HALF_CIRCUMFERENCE_MILES && frame.inside(frame.to_page(p));
}

// The degrees the frame spans, from points round its edge; longitudes
// unwrapped round the station's, so that a frame across the date line
// spans it without a seam. A pole inside brings every longitude.
DegreeRange frame_range(const MapFrame& frame) {
  DegreeRange r;
  const double half = frame.half_miles();
  if (half > kWideMiles) return r;
  const GeoPoint station = frame.projection().centre();
  r = {station.lat, station.lat, station.lon, station.lon};
  for (int i = 0; i < 4 * kEdgeSamples; ++i) {
    const double t = -half + 2.0 * half * (i % kEdgeSamples) / kEdgeSamples;
    const PlaneXY sides[4] = {{t, half}, {half, -t}, {-t, -half}, {-half, t}};
    const GeoPoint p = frame.projection().unproject(sides[i / kEdgeSamples]);
    const double lon = unwrap_lon(p.lon, station.lon);
    r = {std::min(r.south, p.lat), std::max(r.north, p.lat), std::min(r.west, lon),
         std::max(r.east, lon)};
  }
  for (const double pole : {90.0, -90.0}) {
    if (!pole_inside(frame, pole)) continue;
    (pole > 0 ? r.north : r.south) = pole;
    r.west = -180.0;
    r.east = 180.0;
  }
  return r;
}

// Where a line meets the top or left edge: its inside point nearest it.
std::optional<MapXY> edge_point(const MapFrame& frame, const std::vector<GeoPoint>& line,
                                bool top) {
  std::optional<MapXY> best;
  for (const GeoPoint& g : line) {
    const MapXY p = frame.project(g);
    if (!frame.inside(p)) continue;
    if (!best || (top ? p.y < best->y : p.x < best->x)) best = p;
  }
  return best;
}

template <typename Each>
void each_step(double lo, double hi, double step, Each each) {
  for (double k = std::ceil(lo / step); k * step <= hi + 1e-9; ++k) each(k * step);
}

std::vector<GeoPoint> meridian(double lon, const DegreeRange& r, double dense) {
  std::vector<GeoPoint> line;
  each_step(r.south, r.north, dense, [&](double lat) { line.push_back({lat, lon}); });
  return line;
}

std::vector<GeoPoint> parallel(double lat, const DegreeRange& r, double dense) {
  std::vector<GeoPoint> line;
  each_step(r.west, r.east, dense, [&](double lon) { line.push_back({lat, lon}); });
  return line;
}

}  // namespace

std::string degree_label(double value, double step, bool latitude) {
  const char* hemisphere = latitude ? (value < 0 ? "S" : "N") : (value < 0 ? "W" : "E");
  if (latitude ? value == 0.0 : (value == 0.0 || std::fabs(value) == 180.0)) hemisphere = "";
  return format_text("%.*f\xC2\xB0%s", decimals_for(step), std::fabs(value), hemisphere);
}

std::string svg_graticule(const MapFrame& frame, std::vector<GridLabel>& labels) {
  const DegreeRange r = frame_range(frame);
  const double lat_step = grid_step(r.north - r.south);
  const double lon_step = grid_step(r.east - r.west);
  const double dense = std::min({lat_step, lon_step, 8.0}) / 8.0;
  const bool whole_circle = r.east - r.west >= 360.0;
  std::string d;
  each_step(r.west, r.east - (whole_circle ? lon_step / 2 : 0.0), lon_step, [&](double lon) {
    const std::vector<GeoPoint> line = meridian(lon, r, dense);
    append_line_path(d, frame, line, 1.0);
    if (const auto at = edge_point(frame, line, true))
      labels.push_back({*at, degree_label(wrap_lon(lon), lon_step, false)});
  });
  each_step(r.south, r.north, lat_step, [&](double lat) {
    if (std::fabs(lat) >= 90.0) return;  // a pole is a point, not a line
    const std::vector<GeoPoint> line = parallel(lat, r, dense);
    append_line_path(d, frame, line, 1.0);
    if (const auto at = edge_point(frame, line, false))
      labels.push_back({*at, degree_label(lat, lat_step, true)});
  });
  return "<g class=\"graticule\" fill=\"none\" stroke=\"#d8d8d8\" stroke-width=\"1\">\n<path d=\"" +
         d + "\"/>\n</g>\n";
}

std::string svg_grid_labels(const std::vector<GridLabel>& labels, LabelPlacer& placer) {
  std::string out;
  for (const GridLabel& label : labels) {
    const auto placed = placer.place(label.anchor, label.text, kLabelSize, 3.0);
    if (!placed) continue;
    out += format_text("<text x=\"%s\" y=\"%s\">%s</text>\n", svg_num(placed->at.x).c_str(),
                       svg_num(placed->at.y).c_str(), label.text.c_str());
  }
  return "<g class=\"graticule-labels\" fill=\"#707070\" font-size=\"10\">\n" + out + "</g>\n";
}
