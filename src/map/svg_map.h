#pragma once
// The rule set drawn as an SVG map in the station's own projection
// (azimuthal equidistant around the station, azimuthal.h): a graticule with
// degree labels, the geography when there is any, a scale bar in miles, the
// station with its call sign, each area rule translucent green (pass) or red
// (drop) and labelled with its line, a legend for what has no place on a
// map, and the sources' credit in the footer.
//
// Each rule is one group with class "rule ACTION KIND" (as in
// class="rule drop circle") and data-line its rules-file line; the scale bar
// carries data-miles and data-px. The root <svg> carries the projection, so
// that a script can place any point: data-center="LAT LON" (the station),
// data-origin="X Y" (the station on the page) and data-units-per-mile="S"
// (page units per statute mile along every line through the station).

#include <string>

#include "config/conf_rec.h"
#include "map/geo_data.h"
#include "rules/rule_set.h"

struct MapSources {
  const char* config_name = nullptr;  // null when none was given
  const char* rules_name = nullptr;
  const Geography* geography = nullptr;  // null when none was found
};

// The whole SVG document for the first conf.rule_count records.
std::string svg_map(const RuleState& rules, const ConfRec& conf, const MapSources& sources);
