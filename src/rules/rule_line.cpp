#include "rules/rule_line.h"

#include <cstdarg>
#include <string>

int rule_error(const RuleLine& line, int code, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const std::string words = vformat_text(fmt, args);
  va_end(args);
  line.con.print("\a\aError: %s[%d]: %s:\n%s\n", line.file_name, line.line_no, words.c_str(),
                 line.text);
  return code;
}

int take_arg(RuleLine& line, const char* separators, const ArgMessages& messages, char** token) {
  *token = line.scan.next(separators);
  if (*token == nullptr) return rule_error(line, messages.absent_code, "%s", messages.absent);
  if (line.comment != nullptr && *token >= line.comment) {
    return rule_error(line, messages.in_comment_code, "%s", messages.in_comment);
  }
  return 0;
}

int take_angle(RuleLine& line, const AngleArg& arg, double* degrees) {
  char* token = nullptr;
  if (int rc = take_arg(line, arg.separators, arg.missing, &token)) return rc;
  *degrees = line.to_degrees(line.con, token);
  // Written so that a NaN, should one ever come back, fails too.
  if (!(*degrees >= arg.low && *degrees <= arg.high)) {
    return rule_error(line, arg.range_code, "%s: %f", arg.range_words, *degrees);
  }
  return 0;
}
