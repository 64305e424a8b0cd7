#pragma once
// PLACEHOLDER shape of the rule set until the rules compiler lands.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/conf_rec.h"
#include "console/console.h"

constexpr std::size_t RULE_REC_SIZE = 28;
constexpr int RULE_TABLE_SIZE = 100;

struct RuleState {
  std::uint8_t rule_table[RULE_TABLE_SIZE][RULE_REC_SIZE] = {};
  std::int32_t rule_entries = 0;
  std::int32_t rules_processed = 0;
};

// The first rule_count records as the device receives them, contiguous.
const std::uint8_t* rule_bytes(const RuleState& rules);

void rules_display(Console& con, const RuleState& rules, const ConfRec& conf);
int rules_process(Console& con, RuleState& rules, ConfRec& conf, const char* rfp);
