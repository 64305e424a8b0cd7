#pragma once
// The rule set drawn as an SVG map around the station: a graticule with
// degree labels, a scale bar in miles, the station with its call sign, each
// area rule translucent green (pass) or red (drop) and labelled with its
// line, and a legend for what has no place on a map.
//
// Each rule is one group with class "rule ACTION KIND" (as in
// class="rule drop circle") and data-line its rules-file line; the scale bar
// carries data-miles and data-px, so that scripts can measure the map.

#include <string>

#include "config/conf_rec.h"
#include "rules/rule_set.h"

struct MapSources {
  const char* config_name = nullptr;  // null when none was given
  const char* rules_name = nullptr;
};

// The whole SVG document for the first conf.rule_count records.
std::string svg_map(const RuleState& rules, const ConfRec& conf, const MapSources& sources);
