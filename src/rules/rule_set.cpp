#include "rules/rule_set.h"

#include <algorithm>

std::vector<std::uint8_t> rule_bytes(const RuleState& rules, std::size_t count) {
  std::vector<std::uint8_t> bytes;
  count = std::min(count, rules.rule_table.size());
  bytes.reserve(count * RULE_REC_SIZE);
  for (std::size_t i = 0; i < count; ++i) {
    bytes.insert(bytes.end(), rules.rule_table[i].begin(), rules.rule_table[i].end());
  }
  return bytes;
}
