#pragma once
// Test support: compiles a rules text from a scratch file and keeps what the
// compilation left, with the shapes of its messages and records at hand.

#include <gtest/gtest.h>

#include <string>

#include "rules/rule_display.h"
#include "rules/rule_set.h"
#include "rules/rules_process.h"
#include "support/scratch_dir.h"

class RulesFixture : public testing::Test {
 protected:
  // Compiles `text` with the real angle parser.
  int compile(const std::string& text) { return run(text, nullptr); }

  // Compiles `text` with `reader` converting the angles (null: the real one).
  int run(const std::string& text, AngleReader reader) {
    path = files.write("rules.txt", text);
    Console con("");
    rc = reader == nullptr ? rules_process(con, rules, conf, path.c_str())
                           : rules_compile(con, rules, conf, path.c_str(), reader);
    out = con.output();
    return rc;
  }

  std::string error(int line, const std::string& words, const std::string& text) const {
    return "\a\aError: " + path + "[" + std::to_string(line) + "]: " + words + ":\n" + text + "\n";
  }

  std::string display() const {
    Console con("");
    rules_display(con, rules, conf);
    return con.output();
  }

  const RuleRec& rec(int i) const { return rules.rule_table[static_cast<std::size_t>(i)]; }

  ScratchDir files;
  RuleState rules;
  ConfRec conf = conf_default_rec;
  std::string path;
  std::string out;
  int rc = 0;
};
