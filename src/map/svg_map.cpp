#include "map/svg_map.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "console/console.h"
#include "map/area_shape.h"
#include "map/svg_graticule.h"
#include "map/svg_legend.h"
#include "map/svg_text.h"
#include "rules/rule_tables.h"

namespace {

constexpr MapXY kMapOrigin{20.0, 44.0};
constexpr double kMapMaxWidth = 760.0;
constexpr double kMapMaxHeight = 680.0;
constexpr double kArrowShare = 0.12;  // of the map's larger side
constexpr double kBelowMap = 50.0;    // room for the scale bar

std::vector<RuleArea> areas_of(const RuleState& rules, const ConfRec& conf) {
  std::vector<RuleArea> areas;
  const int count = std::min<int>(conf.rule_count, RULE_TABLE_SIZE);
  for (int i = 0; i < count; ++i) {
    if (auto area = rule_area(rules.rule_table[i])) areas.push_back(*area);
  }
  return areas;
}

MapFrame frame_for(const std::vector<GeoPoint>& points, GeoPoint station) {
  return MapFrame(points, station, kMapOrigin, kMapMaxWidth, kMapMaxHeight);
}

// The areas fix the frame; compass arrows, sized by it, then widen it.
MapFrame fit_frame(const std::vector<RuleArea>& areas, GeoPoint station, double& arrow_miles) {
  std::vector<GeoPoint> points;
  for (const RuleArea& a : areas) {
    const std::vector<GeoPoint> more = area_extent(a, station);
    points.insert(points.end(), more.begin(), more.end());
  }
  const MapFrame first = frame_for(points, station);
  arrow_miles = kArrowShare * std::max(first.width(), first.height()) / first.px_per_mile();
  for (const RuleArea& a : areas) {
    if (a.kind == RULE_COMPASS)
      points.push_back(destination_point(a.point, a.bearing, arrow_miles));
  }
  return frame_for(points, station);
}

std::string path_of(const MapFrame& frame, const std::vector<std::vector<GeoPoint>>& rings) {
  std::string d;
  for (const auto& ring : rings) {
    for (std::size_t i = 0; i < ring.size(); ++i) {
      const MapXY p = frame.project(ring[i]);
      d += format_text("%s%s %s ", i == 0 ? "M" : "L", svg_num(p.x).c_str(), svg_num(p.y).c_str());
    }
    d += "Z ";
  }
  if (!d.empty()) d.pop_back();
  return d;
}

std::string arrow_of(const MapFrame& frame, const AreaShape& shape, const char* stroke) {
  const MapXY from = frame.project(shape.arrow[0]);
  const MapXY tip = frame.project(shape.arrow[1]);
  return format_text(
      "<circle cx=\"%s\" cy=\"%s\" r=\"4\" fill=\"%s\"/>\n"
      "<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke=\"%s\" stroke-width=\"3\" "
      "marker-end=\"url(#arrow-%s)\"/>\n",
      svg_num(from.x).c_str(), svg_num(from.y).c_str(), stroke, svg_num(from.x).c_str(),
      svg_num(from.y).c_str(), svg_num(tip.x).c_str(), svg_num(tip.y).c_str(), stroke, stroke + 1);
}

std::string rule_group(const MapFrame& frame, const RuleArea& area, const AreaShape& shape) {
  const char* fill = area.pass ? PASS_FILL : DROP_FILL;
  const char* stroke = area.pass ? PASS_STROKE : DROP_STROKE;
  std::string g = format_text("<g class=\"rule %s %s\" data-line=\"%d\">\n",
                              area.pass ? "pass" : "drop", rule_kind_name(area.kind), area.line);
  if (shape.arrow.empty()) {
    g += format_text(
        "<path d=\"%s\" fill=\"%s\" fill-opacity=\"%s\" fill-rule=\"evenodd\" stroke=\"%s\" "
        "stroke-width=\"1.5\"/>\n",
        path_of(frame, shape.rings).c_str(), fill, AREA_OPACITY, stroke);
  } else {
    g += arrow_of(frame, shape, stroke);
  }
  const MapXY label = frame.project(shape.label_at);
  g += format_text("<text x=\"%s\" y=\"%s\" fill=\"%s\">line %d</text>\n</g>\n",
                   svg_num(label.x + 4).c_str(), svg_num(label.y - 4).c_str(), stroke, area.line);
  return g;
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

std::string station_call_text(const ConfRec& conf) {
  const std::string call(conf.station_call, strnlen(conf.station_call, sizeof conf.station_call));
  return conf.station_ssid == 0 ? call : format_text("%s-%u", call.c_str(), conf.station_ssid);
}

std::string station_mark(const MapFrame& frame, const ConfRec& conf, GeoPoint station) {
  const MapXY p = frame.project(station);
  return format_text(
      "<g class=\"station\">\n<circle cx=\"%s\" cy=\"%s\" r=\"5\" fill=\"#000000\" "
      "stroke=\"#ffffff\" stroke-width=\"2\"/>\n<text x=\"%s\" y=\"%s\" font-weight=\"bold\">%s"
      "</text>\n</g>\n",
      svg_num(p.x).c_str(), svg_num(p.y).c_str(), svg_num(p.x + 8).c_str(),
      svg_num(p.y + 4).c_str(), xml_text(station_call_text(conf)).c_str());
}

std::string scale_bar(const MapFrame& frame) {
  const double miles = round_step_below(frame.width() / frame.px_per_mile() / 4);
  const double px = miles * frame.px_per_mile();
  const double x = kMapOrigin.x;
  const double y = kMapOrigin.y + frame.height() + 24;
  return format_text(
      "<g class=\"scale-bar\" data-miles=\"%g\" data-px=\"%.3f\">\n"
      "<path d=\"M%s %s L%s %s L%s %s L%s %s\" fill=\"none\" stroke=\"#000000\" "
      "stroke-width=\"2\"/>\n<text x=\"%s\" y=\"%s\">%g mi</text>\n</g>\n",
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

}  // namespace

std::string svg_map(const RuleState& rules, const ConfRec& conf, const MapSources& sources) {
  const GeoPoint station{conf.base_lat, conf.base_lon};
  const std::vector<RuleArea> areas = areas_of(rules, conf);
  double arrow_miles = 0.0;
  const MapFrame frame = fit_frame(areas, station, arrow_miles);
  const double open_outer = 1.2 * frame.miles_to_farthest_corner(station);

  std::string body = svg_graticule(frame);
  body += "<g class=\"rules\" clip-path=\"url(#map-area)\">\n";
  for (const RuleArea& a : areas) {
    body += rule_group(frame, a, area_shape(a, station, open_outer, arrow_miles));
  }
  body += "</g>\n" + station_mark(frame, conf, station) + scale_bar(frame);
  body += format_text(
      "<rect class=\"map-frame\" x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" fill=\"none\" "
      "stroke=\"#808080\"/>\n",
      svg_num(kMapOrigin.x).c_str(), svg_num(kMapOrigin.y).c_str(), svg_num(frame.width()).c_str(),
      svg_num(frame.height()).c_str());
  double legend_bottom = 0.0;
  const MapXY legend_at{kMapOrigin.x + frame.width() + 30, kMapOrigin.y - 14};
  body += svg_legend(rules, conf, legend_at, legend_bottom);

  const int width = static_cast<int>(legend_at.x + LEGEND_WIDTH);
  const int height =
      static_cast<int>(std::max(kMapOrigin.y + frame.height() + kBelowMap, legend_bottom + 20));
  return format_text(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
             "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\" font-size=\"12\">\n"
             "<title>%s</title>\n",
             width, height, width, height, title_text(sources).c_str()) +
         defs(frame) +
         format_text(
             "<rect class=\"background\" x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" "
             "fill=\"#ffffff\"/>\n<text class=\"title\" x=\"20\" y=\"26\" "
             "font-size=\"16\">%s</text>\n",
             width, height, title_text(sources).c_str()) +
         body + "</svg>\n";
}
