#include "config/conf_process.h"

#include "config/conf_keywords.h"
#include "config/conf_line.h"
#include "text/text_file.h"

namespace {

// Every parse starts from the defaults, but the two rule-set fields belong to
// the rules file: the count is kept, and the implicit action stays drop or
// falls back to pass.
void reset_keeping_rule_set(ConfRec& rec) {
  const std::uint16_t rule_count = rec.rule_count;
  const bool drop = rec.implicit_action == IMPLICIT_DROP;
  conf_defaults(rec);
  rec.rule_count = rule_count;
  rec.implicit_action = drop ? IMPLICIT_DROP : IMPLICIT_PASS;
}

}  // namespace

int conf_process(Console& con, ConfigState& cfg, const char* path) {
  FilePtr file;
  if (int rc = open_compiler_file(con, "conf_process", path, &file)) return rc;
  return conf_compile_file(con, cfg, path, file.get());
}

int conf_compile_file(Console& con, ConfigState& cfg, const char* path, std::FILE* file) {
  // From here on the record no longer holds what an earlier file set: until
  // this file is compiled to its end, nothing is processed.
  reset_keeping_rule_set(cfg.conf_rec);
  cfg.conf_processed = 0;
  cfg.position_line = 0;
  char line[LINE_SIZE];
  int number = 0;
  int items = 0;
  while (const int got = read_compiler_piece(con, file, line, sizeof line, path)) {
    if (got < 0) return got;
    strip_newline(line);
    std::uint32_t item = 0;
    const int rc = conf_parse_line(con, cfg.conf_rec, ++number, line, &item);
    if (rc < 0) return rc;
    if (rc > 0 && item == CONF_POSITION) cfg.position_line = number;
    items += rc;
  }
  cfg.conf_processed = 1;
  con.print("Configuration items processed %d\n", items);
  return 0;
}
