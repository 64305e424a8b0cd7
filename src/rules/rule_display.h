#pragma once
// The "drules" display. The argument texts come from a pure formatter so
// they can be checked without a console.

#include <array>
#include <cstddef>

#include "config/conf_rec.h"
#include "console/console.h"
#include "rules/rule_rec.h"
#include "rules/rule_set.h"

// Each argument text is built in an area of this size, so it holds at most
// 19 characters; longer texts (huge radii or ranges) are cut.
constexpr std::size_t RULE_ARG_TEXT_SIZE = 20;

struct RuleArgTexts {
  std::array<std::array<char, RULE_ARG_TEXT_SIZE>, 4> text{};
};

// The "drules" display of the first conf.rule_count records.
void rules_display(Console& con, const RuleState& rules, const ConfRec& conf);

// The four argument texts of one record, by its kind; unused ones are empty.
RuleArgTexts rule_arg_texts(const RuleRec& rec);

// "Pass" for 8, "Drop" for 4, "?" for any other action nibble.
const char* rule_action_name(std::uint8_t flags);
