#pragma once
// The area rules: circle, compass and rectangle.
// Each rule parser fills the slots of `rec` and the modifier bits of its flags
// byte, and returns 0, or the code of the message it printed.

#include <cstdint>

#include "rules/rule_line.h"
#include "rules/rule_rec.h"

int parse_circle(RuleLine& line, RuleRec& rec);
int parse_compass(RuleLine& line, RuleRec& rec);
int parse_rectangle(RuleLine& line, RuleRec& rec);
