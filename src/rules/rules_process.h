#pragma once
// The rules compiler. rules_compile takes the angle conversion as an
// argument: the program passes dmctodeg, tests and the fuzzer their own.

#include <cstdio>

#include "config/conf_rec.h"
#include "console/console.h"
#include "rules/rule_set.h"

using AngleReader = double (*)(Console& con, const char* text);

// Compiles the rules file `rfp`. 0 on success; a negative code after its own
// message on failure.
int rules_process(Console& con, RuleState& rules, ConfRec& conf, const char* rfp);

// Opens `rfp` and compiles it; the codes and messages of rules_process.
int rules_compile(Console& con, RuleState& rules, ConfRec& conf, const char* rfp,
                  AngleReader to_degrees);

// Compiles an already opened file (a null one reads as a failed read); `rfp`
// is the name that messages show.
int rules_compile_file(Console& con, RuleState& rules, ConfRec& conf, const char* rfp,
                       std::FILE* file, AngleReader to_degrees);
