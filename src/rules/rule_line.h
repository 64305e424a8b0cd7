#pragma once
// One rules-file line being parsed: its scanner, its comment position and
// what every line message names (file, line number, line text).

#include <cstdint>

#include "console/console.h"
#include "rules/rules_process.h"
#include "text/text_file.h"
#include "text/token_scanner.h"

// Separator sets, by the place of a token in the rule.
inline constexpr const char* PATTERN_SEPARATORS = "#/; \t,";
inline constexpr const char* ANGLE_SEPARATORS = "\t,";
inline constexpr const char* LAST_ANGLE_SEPARATORS = "#/;\t,";

struct RuleLine {
  Console& con;
  const char* file_name;
  int line_no;
  const char* text;     // the line as read, newline removed, before any cut
  TokenScanner scan;    // cuts the working copy of the line
  const char* comment;  // the first '#', '/' or ';' of the working copy, or null
  AngleReader to_degrees;
};

// Prints "\a\aError: FILE[LINE]: <words>:\n<line text>\n" and returns `code`.
int rule_error(const RuleLine& line, int code, const char* fmt, ...) KT_PRINTF(3, 4);

// What to say when an argument is absent, or found in the comment.
struct ArgMessages {
  const char* absent;
  int absent_code;
  const char* in_comment;
  int in_comment_code;
};

// Takes the next argument into `token`; 0, or the code after the message.
int take_arg(RuleLine& line, const char* separators, const ArgMessages& messages, char** token);

// An angle argument: where it ends, its bounds and its range message.
struct AngleArg {
  ArgMessages missing;
  const char* separators;
  double low;
  double high;
  const char* range_words;  // printed as "<words>: %f"
  int range_code;
};

// Takes and converts an angle; bounds are inclusive and tested before rounding.
int take_angle(RuleLine& line, const AngleArg& arg, double* degrees);
