#pragma once
// The rule set: the table of compiled rule records and the flag that says a
// rules file was compiled to its end. The implicit action and the record
// count live in the configuration record, whose last two fields they are.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rules/rule_rec.h"

// An implicit line of the last compilation: it takes no record, but a later
// one with another action silently wins, which --check points out.
struct ImplicitLine {
  int line = 0;
  std::uint8_t action = 0;  // ACT_DROP or ACT_PASS
};

struct RuleState {
  std::array<RuleRec, RULE_TABLE_SIZE> rule_table{};
  std::int32_t rule_entries = 0;  // rules plus implicit lines of the last compilation
  std::int32_t rules_processed = 0;
  std::vector<ImplicitLine> implicit_lines;  // in file order
};

// The first `count` records as the device receives them: record i at 28 * i.
std::vector<std::uint8_t> rule_bytes(const RuleState& rules, std::size_t count);
