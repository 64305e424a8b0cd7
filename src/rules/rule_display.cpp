#include "rules/rule_display.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "rules/rule_tables.h"

namespace {

using ArgText = std::array<char, RULE_ARG_TEXT_SIZE>;

// snprintf cuts at the area's end, so nothing is written past it.
void put_text(ArgText& area, const char* fmt, ...) KT_PRINTF(2, 3);
void put_text(ArgText& area, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::vsnprintf(area.data(), area.size(), fmt, args);
  va_end(args);
}

void call_text(ArgText& area, const RuleRec& rec) {
  const std::uint8_t mods = rule_flags(rec);
  const std::string call = rule_call(rec);
  if (mods & MOD_ANY) {
    put_text(area, "*");
  } else if (mods & MOD_WILD) {
    put_text(area, "%-*s*", 6, call.c_str());
  } else if (mods & MOD_SSID) {
    put_text(area, "%-*s-%u", 6, call.c_str(), static_cast<unsigned>(rule_ssid(rec)));
  } else {
    put_text(area, "%-*s", 6, call.c_str());
  }
}

const char* compass_name(std::uint8_t dir) {
  return dir < compass_names.size() ? compass_names[dir] : compass_names[0];
}

double real_at(const RuleRec& rec, std::size_t slot) { return rule_real(rec, slot); }

}  // namespace

RuleArgTexts rule_arg_texts(const RuleRec& rec) {
  RuleArgTexts t;
  auto& [t1, t2, t3, t4] = t.text;
  switch (rule_type(rec)) {
    case RULE_DESTIN:
    case RULE_SOURCE:
      call_text(t1, rec);
      break;
    case RULE_CIRCLE:
      put_text(t1, "%-.3f mi R,", real_at(rec, RULE_SLOT1));
      put_text(t2, "%-10.6f D Lat,", real_at(rec, RULE_SLOT2));
      put_text(t3, "%-11.5f D Lon", real_at(rec, RULE_SLOT3));
      break;
    case RULE_COMPASS:
      put_text(t1, "%-2s Dir,", compass_name(rule_dir(rec)));
      put_text(t2, "%-10.6f D Lat,", real_at(rec, RULE_SLOT2));
      put_text(t3, "%-11.5f D Lon", real_at(rec, RULE_SLOT3));
      break;
    case RULE_RECTANGLE:
      put_text(t1, "%-10.6f D Lat1,", real_at(rec, RULE_SLOT1));
      put_text(t2, "%-11.5f D Lon1,", real_at(rec, RULE_SLOT2));
      put_text(t3, "%-10.6f D Lat2,", real_at(rec, RULE_SLOT3));
      put_text(t4, "%-11.5f D Lon2", real_at(rec, RULE_SLOT4));
      break;
    case RULE_SECTOR:
      put_text(t1, "%-.3f D Ang1,", real_at(rec, RULE_SLOT1));
      put_text(t2, "%-.3f D Ang2,", real_at(rec, RULE_SLOT2));
      put_text(t3, "%-.3f In R,", real_at(rec, RULE_SLOT3));
      put_text(t4, "%-.3f Out R", real_at(rec, RULE_SLOT4));
      break;
    default:
      break;
  }
  return t;
}

const char* rule_action_name(std::uint8_t flags) {
  switch (flags & ACT_MASK) {
    case ACT_PASS:
      return "Pass";
    case ACT_DROP:
      return "Drop";
    default:
      return "?";
  }
}

void rules_display(Console& con, const RuleState& rules, const ConfRec& conf) {
  const char* implicit = conf.implicit_action == IMPLICIT_DROP ? "Drop" : "Pass";
  if (conf.rule_count == 0) {
    con.print("No Rules are configured!  Implicit Rule Action is %s\n", implicit);
    return;
  }
  con.print("Rule count %d plus Implicit\n", static_cast<int>(conf.rule_count));
  con.print("\n%-6s %-9s %-s Arguments\n", "Action", "Command", "Mods");
  con.print("%-6s %-9s\n", implicit, "Implicit");
  // The count comes from the compiler, which never exceeds the table; the
  // bound only keeps a damaged count from reading past it.
  const int count = std::min<int>(conf.rule_count, RULE_TABLE_SIZE);
  for (int i = 0; i < count; ++i) {
    const RuleRec& rec = rules.rule_table[static_cast<std::size_t>(i)];
    const RuleArgTexts t = rule_arg_texts(rec);
    con.print("%-6s %-9s %02x   %s %s %s %s\n", rule_action_name(rule_flags(rec)),
              rule_kind_name(rule_type(rec)), static_cast<unsigned>(rule_flags(rec) & MOD_MASK),
              t.text[0].data(), t.text[1].data(), t.text[2].data(), t.text[3].data());
  }
}
