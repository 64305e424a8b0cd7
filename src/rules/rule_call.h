#pragma once
// The call-sign rules: a destination or source call-sign pattern.
// Each rule parser fills the slots of `rec` and the modifier bits of its flags
// byte, and returns 0, or the code of the message it printed.

#include <cstdint>

#include "rules/rule_line.h"
#include "rules/rule_rec.h"

// Destination (RULE_DESTIN) or source (RULE_SOURCE) call-sign pattern.
int parse_call_rule(RuleLine& line, std::uint8_t kind, RuleRec& rec);
