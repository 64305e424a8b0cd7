#pragma once
// The warnings of --check: slips that compile but are unlikely to be meant.
// Each is one line that names the file and line as the compiler's messages
// do, beginning "Warning: ".

#include <string>
#include <vector>

#include "config/conf_rec.h"
#include "rules/rule_set.h"

// Areas whose nearest part is farther than this from the station are
// reported: a sign or notation slip is the usual cause.
constexpr double FAR_AREA_MILES = 500.0;

// Where the station position that the areas were checked against came from.
struct StationSource {
  const char* config_name = nullptr;  // null when no configuration file was given
  int position_line = 0;              // its line that set the position; 0 when none did
};

// The warnings for the first conf.rule_count records and the implicit
// lines: those of the station position first, then those of the rules file
// in the order of their lines. `rules_name` is the file name as given.
std::vector<std::string> rule_warnings(const RuleState& rules, const ConfRec& conf,
                                       const char* rules_name, const StationSource& source);
