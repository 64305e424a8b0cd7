#include "map/svg_geography.h"

#include <algorithm>

#include "console/console.h"
#include "map/map_lines.h"
#include "map/svg_text.h"

namespace {

constexpr double kThinning = 0.8;  // page units between the points of a line
// A town is shown when it has this many people per mile from the map's
// centre to its edge: the larger towns on a continent, smaller ones nearby.
constexpr double kPeoplePerMile = 250.0;
constexpr std::size_t kMostTowns = 60;
constexpr double kTownSize = 10.0;

struct LineLayer {
  const char* kind;
  const std::vector<GeoLine>& lines;
  const char* stroke;
  const char* width;
  const char* dash;
};

std::string line_group(const MapFrame& frame, const LineLayer& layer) {
  std::string d;
  for (const GeoLine& line : layer.lines) append_line_path(d, frame, line, kThinning);
  if (!d.empty()) d.pop_back();
  return format_text("<g class=\"geo %s\" fill=\"none\" stroke=\"%s\" stroke-width=\"%s\"%s>\n",
                     layer.kind, layer.stroke, layer.width, layer.dash) +
         (d.empty() ? std::string() : "<path d=\"" + d + "\"/>\n") + "</g>\n";
}

bool on_map(const MapFrame& frame, GeoPoint p) {
  return great_circle_miles(frame.projection().centre(), p) < HALF_CIRCUMFERENCE_MILES &&
         frame.inside(frame.project(p));
}

}  // namespace

std::string svg_geo_lines(const MapFrame& frame, const Geography& geo) {
  return line_group(frame, {"coast", geo.coast, "#6f93b8", "1", ""}) +
         line_group(frame, {"border", geo.border, "#9a9a9a", "1", ""}) +
         line_group(frame, {"state", geo.state, "#a0a0a0", "1", ""});
}

std::string svg_towns(const MapFrame& frame, const Geography& geo, LabelPlacer& placer) {
  const double least = kPeoplePerMile * frame.half_miles();
  std::string out;
  std::size_t tried = 0;
  for (const Town& town : geo.towns) {
    if (town.population < least || tried == kMostTowns) break;
    if (!on_map(frame, town.at)) continue;
    ++tried;
    const MapXY p = frame.project(town.at);
    const auto label = placer.place(p, town.name, kTownSize, 3.0);
    if (!label) continue;
    out += format_text(
        "<circle cx=\"%s\" cy=\"%s\" r=\"2\"/><text class=\"town\" x=\"%s\" "
        "y=\"%s\">%s</text>\n",
        svg_num(p.x).c_str(), svg_num(p.y).c_str(), svg_num(label->at.x).c_str(),
        svg_num(label->at.y).c_str(), xml_text(town.name).c_str());
  }
  return "<g class=\"geo town\" fill=\"#606060\" font-size=\"10\">\n" + out + "</g>\n";
}
