#include "map/rule_warnings.h"

#include <algorithm>
#include <utility>

#include "console/console.h"
#include "map/rule_area.h"
#include "rules/rule_tables.h"

namespace {

// Wider than this, a box between longitudes compared as numbers is more
// likely meant to cross the date line the other way.
constexpr double kWidestBox = 180.0;

using LineWarnings = std::vector<std::pair<int, std::string>>;

GeoPoint station_of(const ConfRec& conf) { return {conf.base_lat, conf.base_lon}; }

// A rule the device would apply the same way: every byte but the line.
bool same_rule(const RuleRec& a, const RuleRec& b) {
  return std::equal(a.begin(), a.begin() + RULE_LINE_AT, b.begin());
}

std::vector<RuleArea> positioned_areas(const RuleState& rules, int count) {
  std::vector<RuleArea> out;
  for (int i = 0; i < count; ++i) {
    const auto area = rule_area(rules.rule_table[i]);
    if (area && area_has_position(*area)) out.push_back(*area);
  }
  return out;
}

std::string default_position_warning(const ConfRec& conf, const char* name, int line,
                                     const StationSource& source) {
  return format_text(
      "Warning: %s[%d]: area rules checked against the default station position "
      "(%.6f, %.6f): %s\n",
      name, line, static_cast<double>(conf.base_lat), static_cast<double>(conf.base_lon),
      source.config_name == nullptr ? "no configuration file given"
                                    : "the configuration file sets no position");
}

// Every area far away: the one position they are all measured from is the
// likelier slip. A single area could as well be the slip itself, so it
// takes two to blame the station.
std::string far_station_warning(const ConfRec& conf, const StationSource& source, int areas) {
  return format_text(
      "Warning: %s[%d]: every area rule (%d) lies more than %.0f miles from this station "
      "position (%.6f, %.6f): check the signs of its latitude and longitude\n",
      source.config_name, source.position_line, areas, FAR_AREA_MILES,
      static_cast<double>(conf.base_lat), static_cast<double>(conf.base_lon));
}

bool far_away(const RuleArea& area, const ConfRec& conf) {
  return area_distance_miles(area, station_of(conf)) > FAR_AREA_MILES;
}

void far_area_warning(LineWarnings& out, const RuleArea& area, const ConfRec& conf,
                      const char* name) {
  const double miles = area_distance_miles(area, station_of(conf));
  if (miles <= FAR_AREA_MILES) return;
  out.emplace_back(
      area.line,
      format_text("Warning: %s[%d]: %s lies %.1f miles from the station position (more than %.0f): "
                  "check the signs of its latitude and longitude\n",
                  name, area.line, rule_kind_name(area.kind), miles, FAR_AREA_MILES));
}

void wide_box_warning(LineWarnings& out, const RuleArea& area, const char* name) {
  if (area.kind != RULE_RECTANGLE) return;
  const GeoBox box = rectangle_box(area);
  if (box.east - box.west <= kWidestBox) return;
  out.emplace_back(area.line,
                   format_text("Warning: %s[%d]: the device compares longitudes as numbers: this "
                               "box spans %g degrees; if you meant the box across the date line, "
                               "split it in two\n",
                               name, area.line, box.east - box.west));
}

void duplicate_warning(LineWarnings& out, const RuleState& rules, int index, const char* name) {
  const RuleRec& rec = rules.rule_table[index];
  for (int earlier = 0; earlier < index; ++earlier) {
    if (!same_rule(rules.rule_table[earlier], rec)) continue;
    out.emplace_back(rule_line(rec),
                     format_text("Warning: %s[%d]: the same rule as line %d\n", name,
                                 rule_line(rec), rule_line(rules.rule_table[earlier])));
    return;
  }
}

const char* action_word(std::uint8_t action) { return action == ACT_DROP ? "drop" : "pass"; }

// Only the last implicit line counts: one that changes the action of the
// one before it overrides it.
void implicit_warnings(LineWarnings& out, const RuleState& rules, const char* name) {
  const std::vector<ImplicitLine>& lines = rules.implicit_lines;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].action == lines[i - 1].action) continue;
    out.emplace_back(lines[i].line,
                     format_text("Warning: %s[%d]: implicit %s overrides line %d (implicit %s): "
                                 "only the last implicit line counts\n",
                                 name, lines[i].line, action_word(lines[i].action),
                                 lines[i - 1].line, action_word(lines[i - 1].action)));
  }
}

}  // namespace

std::vector<std::string> rule_warnings(const RuleState& rules, const ConfRec& conf,
                                       const char* rules_name, const StationSource& source) {
  std::vector<std::string> out;
  const int count = std::min<int>(conf.rule_count, RULE_TABLE_SIZE);
  const std::vector<RuleArea> areas = positioned_areas(rules, count);
  if (!areas.empty() && source.position_line == 0) {
    out.push_back(default_position_warning(conf, rules_name, areas.front().line, source));
  }
  const bool all_far =
      areas.size() >= 2 && source.position_line != 0 &&
      std::all_of(areas.begin(), areas.end(), [&](const RuleArea& a) { return far_away(a, conf); });
  if (all_far) out.push_back(far_station_warning(conf, source, static_cast<int>(areas.size())));

  LineWarnings lines;
  for (const RuleArea& area : areas) {
    if (!all_far) far_area_warning(lines, area, conf, rules_name);
    wide_box_warning(lines, area, rules_name);
  }
  for (int i = 0; i < count; ++i) duplicate_warning(lines, rules, i, rules_name);
  implicit_warnings(lines, rules, rules_name);
  std::stable_sort(lines.begin(), lines.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& line : lines) out.push_back(std::move(line.second));
  return out;
}
