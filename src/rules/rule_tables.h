#pragma once
// The fixed tables of the rule set: keywords, action words, compass names.

#include <array>
#include <cstdint>

struct RuleKeyword {
  const char* keyword;
  std::uint8_t code;
};

// Walked in order: the parser matches prefixes against every row, the display
// names a kind by the first row that carries its code.
extern const std::array<RuleKeyword, 9> rule_keywords;

struct RuleAction {
  const char* word;
  std::uint8_t code;
};

extern const std::array<RuleAction, 4> rule_actions;

// Index = direction code; code 0 is never stored but still has a name.
extern const std::array<const char*, 9> compass_names;

// The keyword of the first row with this code, or "?".
const char* rule_kind_name(int code);
