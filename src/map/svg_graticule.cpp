#include "map/svg_graticule.h"

#include <cmath>

#include "console/console.h"
#include "map/svg_text.h"

namespace {

constexpr int kMostLines = 60;
constexpr double kLinesWanted = 4.0;  // at least this many across the map

int decimals_for(double step) {
  return step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

double wrap_lon(double lon) {
  double w = std::fmod(lon + 180.0, 360.0);
  if (w < 0) w += 360.0;
  return w - 180.0;
}

template <typename Line>
void each_line(double lo, double hi, double step, Line line) {
  int drawn = 0;
  for (double k = std::ceil(lo / step); k * step <= hi && drawn < kMostLines; ++k, ++drawn) {
    line(k * step);
  }
}

}  // namespace

std::string degree_label(double value, double step, bool latitude) {
  const char* hemisphere = latitude ? (value < 0 ? "S" : "N") : (value < 0 ? "W" : "E");
  if (latitude ? value == 0.0 : (value == 0.0 || std::fabs(value) == 180.0)) hemisphere = "";
  return format_text("%.*f\xC2\xB0%s", decimals_for(step), std::fabs(value), hemisphere);
}

std::string svg_graticule(const MapFrame& frame) {
  const GeoPoint nw = frame.north_west();
  const GeoPoint se = frame.south_east();
  const double lat_step = round_step_below((nw.lat - se.lat) / kLinesWanted);
  const double lon_step = round_step_below((se.lon - nw.lon) / kLinesWanted);
  const MapXY o = frame.origin();
  std::string lines;
  std::string labels;
  each_line(se.lat, nw.lat, lat_step, [&](double lat) {
    const double y = frame.project({lat, nw.lon}).y;
    lines +=
        format_text("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\"/>\n", svg_num(o.x).c_str(),
                    svg_num(y).c_str(), svg_num(o.x + frame.width()).c_str(), svg_num(y).c_str());
    labels += format_text("<text x=\"%s\" y=\"%s\">%s</text>\n", svg_num(o.x + 3).c_str(),
                          svg_num(y - 3).c_str(), degree_label(lat, lat_step, true).c_str());
  });
  each_line(nw.lon, se.lon, lon_step, [&](double lon) {
    const double x = frame.project({nw.lat, lon}).x;
    lines += format_text("<line x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\"/>\n", svg_num(x).c_str(),
                         svg_num(o.y).c_str(), svg_num(x).c_str(),
                         svg_num(o.y + frame.height()).c_str());
    labels += format_text("<text x=\"%s\" y=\"%s\">%s</text>\n", svg_num(x + 3).c_str(),
                          svg_num(o.y + 12).c_str(),
                          degree_label(wrap_lon(lon), lon_step, false).c_str());
  });
  return "<g class=\"graticule\" stroke=\"#d8d8d8\" stroke-width=\"1\">\n" + lines +
         "</g>\n<g class=\"graticule-labels\" fill=\"#707070\" font-size=\"10\">\n" + labels +
         "</g>\n";
}
