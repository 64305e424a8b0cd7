#include "map/rule_warnings.h"

#include <algorithm>

#include "console/console.h"
#include "map/rule_area.h"
#include "rules/rule_tables.h"

namespace {

GeoPoint station_of(const ConfRec& conf) { return {conf.base_lat, conf.base_lon}; }

bool default_position(const ConfRec& conf) {
  return conf.base_lat == conf_default_rec.base_lat && conf.base_lon == conf_default_rec.base_lon;
}

// A rule the device would apply the same way: every byte but the line.
bool same_rule(const RuleRec& a, const RuleRec& b) {
  return std::equal(a.begin(), a.begin() + RULE_LINE_AT, b.begin());
}

int first_positioned_line(const RuleState& rules, int count) {
  for (int i = 0; i < count; ++i) {
    const auto area = rule_area(rules.rule_table[i]);
    if (area && area_has_position(*area)) return area->line;
  }
  return 0;
}

std::string default_position_warning(const ConfRec& conf, const char* name, int line,
                                     StationSource source) {
  return format_text(
      "Warning: %s[%d]: area rules checked against the default station position "
      "(%.6f, %.6f): %s\n",
      name, line, static_cast<double>(conf.base_lat), static_cast<double>(conf.base_lon),
      source == StationSource::kNoConfigFile ? "no configuration file given"
                                             : "the configuration file sets no position");
}

void far_area_warning(std::vector<std::string>& out, const RuleRec& rec, const ConfRec& conf,
                      const char* name) {
  const auto area = rule_area(rec);
  if (!area || !area_has_position(*area)) return;
  const double miles = area_distance_miles(*area, station_of(conf));
  if (miles <= FAR_AREA_MILES) return;
  out.push_back(
      format_text("Warning: %s[%d]: %s lies %.1f miles from the station position (more than %.0f): "
                  "check the signs of its latitude and longitude\n",
                  name, area->line, rule_kind_name(area->kind), miles, FAR_AREA_MILES));
}

void duplicate_warning(std::vector<std::string>& out, const RuleState& rules, int index,
                       const char* name) {
  const RuleRec& rec = rules.rule_table[index];
  for (int earlier = 0; earlier < index; ++earlier) {
    if (!same_rule(rules.rule_table[earlier], rec)) continue;
    out.push_back(format_text("Warning: %s[%d]: the same rule as line %d\n", name, rule_line(rec),
                              rule_line(rules.rule_table[earlier])));
    return;
  }
}

}  // namespace

std::vector<std::string> rule_warnings(const RuleState& rules, const ConfRec& conf,
                                       const char* rules_name, StationSource source) {
  std::vector<std::string> out;
  const int count = std::min<int>(conf.rule_count, RULE_TABLE_SIZE);
  const int first_line = first_positioned_line(rules, count);
  if (first_line != 0 && (source == StationSource::kNoConfigFile || default_position(conf))) {
    out.push_back(default_position_warning(conf, rules_name, first_line, source));
  }
  for (int i = 0; i < count; ++i) {
    far_area_warning(out, rules.rule_table[i], conf, rules_name);
    duplicate_warning(out, rules, i, rules_name);
  }
  return out;
}
