// PLACEHOLDER until the rules compiler lands.
#include "rules/rule_set.h"

void rules_display(Console& con, const RuleState&, const ConfRec& conf) {
  con.print("No Rules are configured!  Implicit Rule Action is %s\n",
            conf.implicit_action == IMPLICIT_DROP ? "Drop" : "Pass");
}

int rules_process(Console& con, RuleState&, ConfRec&, const char* rfp) {
  if (rfp == nullptr) {
    con.print("rules_process: Error: param rfp is invalid\n");
    return -1;
  }
  con.print("\a\aError: cannot open %s\n", rfp);
  return -2;
}

const std::uint8_t* rule_bytes(const RuleState& rules) { return &rules.rule_table[0][0]; }
