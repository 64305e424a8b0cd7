#include "config/conf_line.h"

#include <cstdio>
#include <cstring>

#include "config/conf_items.h"
#include "config/conf_keywords.h"
#include "text/text_file.h"

int conf_parse_line(Console& con, ConfRec& rec, int number, char* line, std::uint32_t* item) {
  char line_copy[LINE_SIZE];
  std::snprintf(line_copy, sizeof line_copy, "%s", line);
  ConfLine ctx{con, number, line_copy, TokenScanner(line), std::strpbrk(line, COMMENT_CHARS)};

  const char* token = ctx.cut.next(WORD_SEPARATORS);
  if (token == nullptr || is_comment_char(token[0])) return 0;

  const ConfKeyword* row = nullptr;
  const int matches = conf_match_keyword(token, &row);
  if (matches > 1) {
    con.print("\a\aError: line %d: Ambiguous command: %s: %s\n", number, token, line_copy);
    return CONF_BAD_KEYWORD;
  }
  if (matches == 0) {
    con.print("\a\aError: line %d: command %s invalid: %s\n", number, token, line_copy);
    return CONF_BAD_KEYWORD;
  }
  if (item != nullptr) *item = row->item;
  const int rc = conf_store_item(ctx, rec, row->item);
  return rc < 0 ? rc : 1;
}

void conf_missing(const ConfLine& line, const char* what) {
  line.con.print("\a\aError: line %d: missing %s argument: %s\n", line.number, what, line.copy);
}

int conf_take_arg(ConfLine& line, const char* what, char** token) {
  *token = line.cut.next(CONF_ARG_DELIMS);
  if (*token == nullptr) {
    conf_missing(line, what);
    return CONF_BAD_ARG;
  }
  // The token can only lie behind the comment character, never on it, since
  // comment characters are delimiters here.
  if (line.comment != nullptr && *token > line.comment) {
    conf_missing(line, what);
    return CONF_ARG_IN_COMMENT;
  }
  return 0;
}
