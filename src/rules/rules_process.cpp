#include "rules/rules_process.h"

#include <cstring>

#include "angles/dmctodeg.h"
#include "rules/rule_areas.h"
#include "rules/rule_call.h"
#include "rules/rule_line.h"
#include "rules/rule_sector.h"
#include "rules/rule_tables.h"
#include "text/text_file.h"
#include "text/word_match.h"

namespace {

struct Compilation {
  Console& con;
  RuleState& rules;
  ConfRec& conf;
  const char* file_name;
  AngleReader to_degrees;
  std::int16_t line_no = 0;
  std::int32_t implicit_lines = 0;
};

void reset_rule_set(RuleState& rules, ConfRec& conf) {
  conf.implicit_action = IMPLICIT_PASS;
  conf.rule_count = 0;
  rules.rule_entries = 0;
  rules.rules_processed = 0;
  rules.rule_table = {};
  rules.implicit_lines.clear();
}

// The action code of a whole action word, or -1.
int find_action(const char* word) {
  for (const RuleAction& row : rule_actions) {
    if (same_word(word, row.word)) return row.code;
  }
  return -1;
}

int parse_kind(RuleLine& line, std::uint8_t kind, RuleRec& rec) {
  switch (kind) {
    case RULE_DESTIN:
    case RULE_SOURCE:
      return parse_call_rule(line, kind, rec);
    case RULE_CIRCLE:
      return parse_circle(line, rec);
    case RULE_COMPASS:
      return parse_compass(line, rec);
    case RULE_RECTANGLE:
      return parse_rectangle(line, rec);
    case RULE_SECTOR:
      return parse_sector(line, rec);
    default:
      line.con.print("\a\aError: Internal processing error 2: %s[%d]:\n%s\n", line.file_name,
                     line.line_no, line.text);
      return -70;
  }
}

// The keyword and its rule, once the action is known.
int compile_rule(Compilation& c, RuleLine& line, std::uint8_t action) {
  char* keyword = line.scan.next(WORD_SEPARATORS);
  if (keyword == nullptr) return rule_error(line, -71, "missing arguments");
  if (is_comment_char(keyword[0])) return rule_error(line, -5, "missing command");
  // Implicit lines count too, so the limit is tested before the keyword.
  if (c.rules.rule_entries >= RULE_TABLE_SIZE) {
    return rule_error(line, -6, "rule limit (%d) exceeded", RULE_TABLE_SIZE);
  }
  const RuleKeyword* row = nullptr;
  if (match_keyword(keyword, rule_keywords, &row) > 1)
    return rule_error(line, -7, "Ambiguous command: %s", keyword);
  if (row == nullptr) return rule_error(line, -7, "command %s invalid", keyword);
  if (row->code == RULE_IMPLICIT) {
    c.conf.implicit_action = action == ACT_DROP ? IMPLICIT_DROP : IMPLICIT_PASS;
    ++c.implicit_lines;
    c.rules.implicit_lines.push_back({c.line_no, action});
    ++c.rules.rule_entries;
    return 0;
  }
  RuleRec rec{};
  if (int rc = parse_kind(line, row->code, rec)) return rc;
  rule_put_header(rec, row->code, static_cast<std::uint8_t>(rule_flags(rec) | action), c.line_no);
  // Implicit lines take no record, so the records stay contiguous.
  c.rules.rule_table[static_cast<std::size_t>(c.rules.rule_entries - c.implicit_lines)] = rec;
  ++c.rules.rule_entries;
  return 0;
}

int compile_line(Compilation& c, char* buf) {
  strip_newline(buf);
  char text[LINE_SIZE];
  std::strcpy(text, buf);
  RuleLine line{.con = c.con,
                .file_name = c.file_name,
                .line_no = c.line_no,
                .text = text,
                .scan = TokenScanner(buf),
                .comment = std::strpbrk(buf, COMMENT_CHARS),
                .to_degrees = c.to_degrees};
  const char* word = line.scan.next(WORD_SEPARATORS);
  if (word == nullptr || is_comment_char(word[0])) return 0;
  const int action = find_action(word);
  if (action < 0) return rule_error(line, -3, "action %s invalid", word);
  if (action != ACT_DROP && action != ACT_PASS) {
    c.con.print("\a\aInternal Error: processing error 1: %s[%d]:\n%s\n", c.file_name,
                static_cast<int>(c.line_no), text);
    return -4;
  }
  return compile_rule(c, line, static_cast<std::uint8_t>(action));
}

}  // namespace

int rules_compile_file(Console& con, RuleState& rules, ConfRec& conf, const char* rfp,
                       std::FILE* file, AngleReader to_degrees) {
  reset_rule_set(rules, conf);
  Compilation c{con, rules, conf, rfp, to_degrees};
  char buf[LINE_SIZE];
  while (const int got = read_compiler_piece(con, file, buf, sizeof buf, rfp)) {
    if (got < 0) return got;
    // The line number is 16 bits wide, as in the record; past 32767 it wraps.
    c.line_no = static_cast<std::int16_t>(c.line_no + 1);
    if (int rc = compile_line(c, buf)) return rc;
  }
  conf.rule_count = static_cast<std::uint16_t>(rules.rule_entries - c.implicit_lines);
  rules.rules_processed = 1;
  con.print("Rules processed %d, implicit %d\n", static_cast<int>(conf.rule_count),
            c.implicit_lines);
  return 0;
}

int rules_compile(Console& con, RuleState& rules, ConfRec& conf, const char* rfp,
                  AngleReader to_degrees) {
  FilePtr file;
  if (int rc = open_compiler_file(con, "rules_process", rfp, &file)) return rc;
  return rules_compile_file(con, rules, conf, rfp, file.get(), to_degrees);
}

int rules_process(Console& con, RuleState& rules, ConfRec& conf, const char* rfp) {
  return rules_compile(con, rules, conf, rfp, dmctodeg);
}
