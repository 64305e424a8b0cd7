#include "map/svg_map.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "console/console.h"
#include "map/area_shape.h"
#include "map/svg_geography.h"
#include "map/svg_graticule.h"
#include "map/svg_legend.h"
#include "map/svg_text.h"
#include "rules/rule_tables.h"

namespace {

constexpr MapXY kMapOrigin{20.0, 44.0};
constexpr double kMapSide = 680.0;
constexpr double kArrowShare = 0.12;  // of the map's side
constexpr double kBelowMap = 50.0;    // room for the scale bar
constexpr double kFooter = 22.0;      // room for the credit line
constexpr double kLabelSize = 12.0;

struct Shaped {
  RuleArea area;
  AreaShape shape;
};

std::vector<RuleArea> areas_of(const RuleState& rules, const ConfRec& conf) {
  std::vector<RuleArea> areas;
  const int count = std::min<int>(conf.rule_count, RULE_TABLE_SIZE);
  for (int i = 0; i < count; ++i) {
    if (auto area = rule_area(rules.rule_table[i])) areas.push_back(*area);
  }
  return areas;
}

// The areas fix the frame; compass arrows, sized by it, then widen it.
MapFrame fit_frame(const std::vector<RuleArea>& areas, GeoPoint station, double& arrow_miles) {
  const Azimuthal projection(station);
  double reach = 0.0;
  for (const RuleArea& a : areas) reach = std::max(reach, area_reach(a, projection));
  const MapFrame first(station, reach, kMapOrigin, kMapSide);
  arrow_miles = kArrowShare * 2.0 * first.half_miles();
  for (const RuleArea& a : areas) {
    if (a.kind != RULE_COMPASS) continue;
    const GeoPoint tip = destination_point(a.point, a.bearing, arrow_miles);
    reach = std::max(reach, great_circle_miles(station, tip));
  }
  return {station, reach, kMapOrigin, kMapSide};
}

std::string path_of(const MapFrame& frame, const std::vector<std::vector<PlaneXY>>& rings) {
  std::string d;
  for (const auto& ring : rings) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const MapXY p = frame.to_page(ring[i]);
      d += format_text("%s%s %s ", i == 0 ? "M" : "L", svg_num(p.x).c_str(), svg_num(p.y).c_str());
    }
    d += "Z ";
  }
  if (!d.empty()) d.pop_back();
  return d;
}

std::string arrow_of(const MapFrame& frame, const AreaShape& shape, const char* stroke) {
  const MapXY from = frame.to_page(shape.arrow[0]);
  const MapXY tip = frame.to_page(shape.arrow[1]);
  return format_text(
      "<circle cx=\"%s\" cy=\"%s\" r=\"4\" fill=\"%s\"/>\n"
      "<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke=\"%s\" stroke-width=\"3\" "
      "marker-end=\"url(#arrow-%s)\"/>\n",
      svg_num(from.x).c_str(), svg_num(from.y).c_str(), stroke, svg_num(from.x).c_str(),
      svg_num(from.y).c_str(), svg_num(tip.x).c_str(), svg_num(tip.y).c_str(), stroke, stroke + 1);
}

std::string rule_group(const MapFrame& frame, const Shaped& s, LabelPlacer& placer) {
  const char* fill = s.area.pass ? PASS_FILL : DROP_FILL;
  const char* stroke = s.area.pass ? PASS_STROKE : DROP_STROKE;
  std::string g =
      format_text("<g class=\"rule %s %s\" data-line=\"%d\">\n", s.area.pass ? "pass" : "drop",
                  rule_kind_name(s.area.kind), s.area.line);
  if (s.shape.arrow.empty()) {
    g += format_text(
        "<path d=\"%s\" fill=\"%s\" fill-opacity=\"%s\" fill-rule=\"evenodd\" stroke=\"%s\" "
        "stroke-width=\"1.5\"/>\n",
        path_of(frame, s.shape.rings).c_str(), fill, AREA_OPACITY, stroke);
  } else {
    g += arrow_of(frame, s.shape, stroke);
  }
  const std::string text = format_text("line %d", s.area.line);
  if (const auto label = placer.place(frame.to_page(s.shape.label_at), text, kLabelSize)) {
    g +=
        format_text("<text x=\"%s\" y=\"%s\" fill=\"%s\">%s</text>\n", svg_num(label->at.x).c_str(),
                    svg_num(label->at.y).c_str(), stroke, text.c_str());
  }
  return g + "</g>\n";
}

std::string defs(const MapFrame& frame) {
  std::string d = format_text(
      "<defs>\n<clipPath id=\"map-area\"><rect x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\"/>"
      "</clipPath>\n",
      svg_num(kMapOrigin.x).c_str(), svg_num(kMapOrigin.y).c_str(), svg_num(frame.width()).c_str(),
      svg_num(frame.height()).c_str());
  for (const char* stroke : {PASS_STROKE, DROP_STROKE}) {
    d += format_text(
        "<marker id=\"arrow-%s\" viewBox=\"0 0 10 10\" refX=\"8\" refY=\"5\" markerWidth=\"5\" "
        "markerHeight=\"5\" orient=\"auto\"><path d=\"M 0 0 L 10 5 L 0 10 Z\" fill=\"%s\"/>"
        "</marker>\n",
        stroke + 1, stroke);
  }
  return d + "</defs>\n";
}

// Beyond the antipode there is no Earth: its rim is drawn when it shows.
std::string earth_rim(const MapFrame& frame) {
  if (frame.half_miles() * std::numbers::sqrt2 < HALF_CIRCUMFERENCE_MILES) return {};
  return "<path class=\"earth-rim\" d=\"" + path_of(frame, {earth_edge()}) +
         "\" fill=\"none\" stroke=\"#a0a0a0\" stroke-width=\"1\"/>\n";
}

std::string station_call_text(const ConfRec& conf) {
  const std::string call(conf.station_call, strnlen(conf.station_call, sizeof conf.station_call));
  return conf.station_ssid == 0 ? call : format_text("%s-%u", call.c_str(), conf.station_ssid);
}

std::string station_mark(const MapFrame& frame, const ConfRec& conf, LabelPlacer& placer) {
  const MapXY p = frame.station_xy();
  std::string g = format_text(
      "<g class=\"station\">\n<circle cx=\"%s\" cy=\"%s\" r=\"5\" fill=\"#000000\" "
      "stroke=\"#ffffff\" stroke-width=\"2\"/>\n",
      svg_num(p.x).c_str(), svg_num(p.y).c_str());
  const std::string call = xml_text(station_call_text(conf));
  if (const auto label = placer.place(p, call, kLabelSize * 1.1, 7.0)) {
    g += format_text("<text x=\"%s\" y=\"%s\" font-weight=\"bold\">%s</text>\n",
                     svg_num(label->at.x).c_str(), svg_num(label->at.y).c_str(), call.c_str());
  }
  return g + "</g>\n";
}

std::string scale_bar(const MapFrame& frame) {
  const double miles = round_step_below(frame.width() / frame.px_per_mile() / 4);
  const double px = miles * frame.px_per_mile();
  const double x = kMapOrigin.x;
  const double y = kMapOrigin.y + frame.height() + 24;
  return format_text(
      "<g class=\"scale-bar\" data-miles=\"%g\" data-px=\"%.3f\">\n"
      "<path d=\"M%s %s L%s %s L%s %s L%s %s\" fill=\"none\" stroke=\"#000000\" "
      "stroke-width=\"2\"/>\n<text x=\"%s\" y=\"%s\">%g mi (true along every line through the "
      "station)</text>\n</g>\n",
      miles, px, svg_num(x).c_str(), svg_num(y - 6).c_str(), svg_num(x).c_str(), svg_num(y).c_str(),
      svg_num(x + px).c_str(), svg_num(y).c_str(), svg_num(x + px).c_str(), svg_num(y - 6).c_str(),
      svg_num(x + px + 8).c_str(), svg_num(y + 4).c_str(), miles);
}

std::string title_text(const MapSources& sources) {
  std::string title = "Rules map";
  if (sources.rules_name != nullptr) title += format_text(" of %s", sources.rules_name);
  title += sources.config_name != nullptr ? format_text(", station from %s", sources.config_name)
                                          : std::string(", default station position");
  return xml_text(title);
}

std::string svg_root(int width, int height, const MapFrame& frame, const MapSources& sources) {
  const GeoPoint c = frame.projection().centre();
  const MapXY o = frame.station_xy();
  return format_text(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
      "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\" font-size=\"12\" "
      "data-center=\"%.6f %.6f\" data-origin=\"%.3f %.3f\" data-units-per-mile=\"%.6f\">\n"
      "<title>%s</title>\n",
      width, height, width, height, c.lat, c.lon, o.x, o.y, frame.px_per_mile(),
      title_text(sources).c_str());
}

std::string footer(const MapSources& sources, double y) {
  if (sources.geography == nullptr || sources.geography->credit.empty()) return {};
  return format_text(
      "<text class=\"credits\" x=\"20\" y=\"%s\" font-size=\"10\" "
      "fill=\"#606060\">%s</text>\n",
      svg_num(y).c_str(), xml_text(sources.geography->credit).c_str());
}

// Everything inside the frame, in drawing order; the labels are placed in
// order of importance: the station's, the rules', the towns', the grid's.
std::string map_body(const MapFrame& frame, const std::vector<Shaped>& shaped, const ConfRec& conf,
                     const Geography* geo) {
  const MapXY o = frame.origin();
  LabelPlacer placer({o.x, o.y, o.x + frame.width(), o.y + frame.height()});
  const std::string station = station_mark(frame, conf, placer);
  std::string rules = "<g class=\"rules\" clip-path=\"url(#map-area)\">\n";
  for (const Shaped& s : shaped) rules += rule_group(frame, s, placer);
  rules += "</g>\n";
  std::string geography;
  if (geo != nullptr) {
    geography = "<g class=\"geography\" clip-path=\"url(#map-area)\">\n" +
                svg_geo_lines(frame, *geo) + svg_towns(frame, *geo, placer) + "</g>\n";
  }
  std::vector<GridLabel> grid_labels;
  const std::string grid = svg_graticule(frame, grid_labels);
  return "<g clip-path=\"url(#map-area)\">\n" + grid + earth_rim(frame) + "</g>\n" + geography +
         rules + station + svg_grid_labels(grid_labels, placer);
}

}  // namespace

std::string svg_map(const RuleState& rules, const ConfRec& conf, const MapSources& sources) {
  const GeoPoint station{conf.base_lat, conf.base_lon};
  const std::vector<RuleArea> areas = areas_of(rules, conf);
  double arrow_miles = 0.0;
  const MapFrame frame = fit_frame(areas, station, arrow_miles);
  const double open_outer = frame.half_miles() * std::numbers::sqrt2;

  std::vector<Shaped> shaped;
  LegendNotes notes;
  notes.geography = sources.geography != nullptr;
  for (const RuleArea& a : areas) {
    shaped.push_back({a, area_shape(a, frame.projection(), open_outer, arrow_miles)});
    if (shaped.back().shape.covers_everything) notes.whole_earth_lines.push_back(a.line);
  }
  std::string body = map_body(frame, shaped, conf, sources.geography) + scale_bar(frame);
  body += format_text(
      "<rect class=\"map-frame\" x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" fill=\"none\" "
      "stroke=\"#808080\"/>\n",
      svg_num(kMapOrigin.x).c_str(), svg_num(kMapOrigin.y).c_str(), svg_num(frame.width()).c_str(),
      svg_num(frame.height()).c_str());
  double legend_bottom = 0.0;
  const MapXY legend_at{kMapOrigin.x + frame.width() + 30, kMapOrigin.y - 14};
  body += svg_legend(rules, conf, notes, legend_at, legend_bottom);

  const int width = static_cast<int>(legend_at.x + LEGEND_WIDTH);
  const double content = std::max(kMapOrigin.y + frame.height() + kBelowMap, legend_bottom + 20);
  const int height = static_cast<int>(content + kFooter);
  body += footer(sources, content + 6);
  return svg_root(width, height, frame, sources) + defs(frame) +
         format_text(
             "<rect class=\"background\" x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" "
             "fill=\"#ffffff\"/>\n<text class=\"title\" x=\"20\" y=\"26\" "
             "font-size=\"16\">%s</text>\n",
             width, height, title_text(sources).c_str()) +
         body + "</svg>\n";
}
