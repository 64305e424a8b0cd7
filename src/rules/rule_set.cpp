#include "rules/rule_set.h"

const std::uint8_t* rule_bytes(const RuleState& rules) {
  // The table is plain bytes end to end, so its object bytes are the wire bytes.
  return reinterpret_cast<const std::uint8_t*>(&rules.rule_table);
}
