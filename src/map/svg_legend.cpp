#include "map/svg_legend.h"

#include <algorithm>
#include <vector>

#include "console/console.h"
#include "map/svg_text.h"
#include "rules/rule_display.h"
#include "rules/rule_tables.h"

namespace {

constexpr double kLineHeight = 17.0;

std::string call_pattern(const RuleRec& rec) {
  const std::uint8_t mods = rule_flags(rec);
  if (mods & MOD_ANY) return "*";
  if (mods & MOD_WILD) return rule_call(rec) + "*";
  if (mods & MOD_SSID) return format_text("%s-%u", rule_call(rec).c_str(), rule_ssid(rec));
  return rule_call(rec);
}

class LegendLines {
 public:
  explicit LegendLines(MapXY at) : at_(at), y_(at.y) {}

  void text(const std::string& line, const char* extra = "") {
    y_ += kLineHeight;
    out_ += format_text("<text x=\"%s\" y=\"%s\"%s>%s</text>\n", svg_num(at_.x).c_str(),
                        svg_num(y_).c_str(), extra, xml_text(line).c_str());
  }
  void swatch(const char* fill, const char* stroke, const std::string& line) {
    out_ += format_text(
        "<rect x=\"%s\" y=\"%s\" width=\"24\" height=\"12\" fill=\"%s\" fill-opacity=\"%s\" "
        "stroke=\"%s\"/>\n",
        svg_num(at_.x).c_str(), svg_num(y_ + 5).c_str(), fill, AREA_OPACITY, stroke);
    y_ += kLineHeight;
    out_ += format_text("<text x=\"%s\" y=\"%s\">%s</text>\n", svg_num(at_.x + 32).c_str(),
                        svg_num(y_).c_str(), xml_text(line).c_str());
  }
  void gap() { y_ += kLineHeight / 2; }
  double bottom() const { return y_; }
  const std::string& svg() const { return out_; }

 private:
  MapXY at_;
  double y_;
  std::string out_;
};

bool is_call_rule(const RuleRec& rec) {
  return rule_type(rec) == RULE_DESTIN || rule_type(rec) == RULE_SOURCE;
}

// One line per rule of the kinds `wanted` picks, or "none".
template <typename Wanted, typename Text>
void rule_lines(LegendLines& lines, const RuleState& rules, const ConfRec& conf, Wanted wanted,
                Text text) {
  const int count = std::min<int>(conf.rule_count, RULE_TABLE_SIZE);
  int listed = 0;
  for (int i = 0; i < count; ++i) {
    const RuleRec& rec = rules.rule_table[i];
    if (!wanted(rec)) continue;
    lines.text(format_text("  line %d: %s", rule_line(rec), text(rec).c_str()));
    ++listed;
  }
  if (listed == 0) lines.text("  none");
}

void how_drawn(LegendLines& lines, const LegendNotes& notes) {
  lines.text("Drawn around the station: distances and");
  lines.text("bearings from it are true, and the scale");
  lines.text("bar holds along every line through it.");
  for (const int line : notes.whole_earth_lines) {
    lines.text(format_text("line %d: a circle round the whole Earth", line));
  }
  if (!notes.geography) lines.text("No geography was found (see --geo-data).");
  lines.text("Sectors are drawn around the station,");
  lines.text("clockwise from Ang1 to Ang2, in miles.");
  lines.text("Compass rules: an arrow from the rule's");
  lines.text("point in its direction.");
  lines.text("The device, not the host, decides");
  lines.text("what a rule matches.");
}

}  // namespace

std::string legend_call_rule(const RuleRec& rec) {
  return format_text("%s %s %s", rule_action_name(rule_flags(rec)), rule_kind_name(rule_type(rec)),
                     call_pattern(rec).c_str());
}

std::string svg_legend(const RuleState& rules, const ConfRec& conf, const LegendNotes& notes,
                       MapXY at, double& bottom) {
  LegendLines lines(at);
  lines.text("Legend", " font-weight=\"bold\"");
  lines.swatch(PASS_FILL, PASS_STROKE, "pass area");
  lines.swatch(DROP_FILL, DROP_STROKE, "drop area");
  const bool drop = conf.implicit_action == IMPLICIT_DROP;
  lines.text(format_text("Implicit rule: %s (what no rule decides)", drop ? "Drop" : "Pass"));
  lines.gap();
  lines.text("Call-sign rules, in rule order:");
  rule_lines(lines, rules, conf, is_call_rule, legend_call_rule);
  lines.gap();
  lines.text("Area rules, in rule order:");
  rule_lines(
      lines, rules, conf, [](const RuleRec& rec) { return !is_call_rule(rec); },
      [](const RuleRec& rec) {
        return format_text("%s %s", rule_action_name(rule_flags(rec)),
                           rule_kind_name(rule_type(rec)));
      });
  lines.gap();
  how_drawn(lines, notes);
  bottom = lines.bottom();
  return "<g class=\"legend\">\n" + lines.svg() + "</g>\n";
}
