#include "rules/rule_tables.h"

#include "rules/rule_rec.h"

const std::array<RuleKeyword, 9> rule_keywords = {{
    {"implicit", RULE_IMPLICIT},
    {"destin", RULE_DESTIN},
    {"dst", RULE_DESTIN},
    {"source", RULE_SOURCE},
    {"src", RULE_SOURCE},
    {"circle", RULE_CIRCLE},
    {"compass", RULE_COMPASS},
    {"rectangle", RULE_RECTANGLE},
    {"sector", RULE_SECTOR},
}};

const std::array<RuleAction, 4> rule_actions = {{
    {"drop", ACT_DROP},
    {"d", ACT_DROP},
    {"pass", ACT_PASS},
    {"p", ACT_PASS},
}};

const std::array<const char*, 9> compass_names = {"Error", "N",  "NE", "E", "SE",
                                                  "S",     "SW", "W",  "NW"};

const char* rule_kind_name(int code) {
  for (const RuleKeyword& row : rule_keywords) {
    if (row.code == code) return row.keyword;
  }
  return "?";
}
