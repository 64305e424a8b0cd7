#pragma once
// The legend beside the map: the colours, the implicit action, the
// call-sign rules and the area rules in rule order (an area whose label found
// no room on the map is still listed), and how the map is drawn.

#include <string>
#include <vector>

#include "config/conf_rec.h"
#include "map/map_frame.h"
#include "rules/rule_set.h"

constexpr double LEGEND_WIDTH = 340.0;

// What the legend says of this map in particular.
struct LegendNotes {
  bool geography = false;              // coastlines, borders and towns were drawn
  std::vector<int> whole_earth_lines;  // circles that cover everything
};

// The legend's SVG group with its top-left corner at `at`; `bottom` gets the
// y of its last line.
std::string svg_legend(const RuleState& rules, const ConfRec& conf, const LegendNotes& notes,
                       MapXY at, double& bottom);

// A call-sign rule as the legend lists it: "Drop source N0SPAM".
std::string legend_call_rule(const RuleRec& rec);

constexpr const char* PASS_FILL = "#1a9e1a";
constexpr const char* PASS_STROKE = "#0b6e0b";
constexpr const char* DROP_FILL = "#d62020";
constexpr const char* DROP_STROKE = "#9e0b0b";
constexpr const char* AREA_OPACITY = "0.3";
