#pragma once
// The sector rule: two angles, an inner and an optional outer range.
// Each rule parser fills the slots of `rec` and the modifier bits of its flags
// byte, and returns 0, or the code of the message it printed.

#include <cstdint>

#include "rules/rule_line.h"
#include "rules/rule_rec.h"

int parse_sector(RuleLine& line, RuleRec& rec);
