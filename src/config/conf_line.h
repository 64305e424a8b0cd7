#pragma once
// One line of a configuration file: its scanner, its comment and what its
// messages name.

#include "config/conf_rec.h"
#include "config/conf_tokens.h"
#include "console/console.h"
#include "text/token_scanner.h"

// What the argument handlers need to know about the line they work on.
struct ConfLine {
  Console& con;
  int number;
  const char* copy;  // the line as read, for the messages
  TokenScanner cut;
  const char* comment;  // the first comment character in the line, or null
};

// The failures of a configuration line, which conf_process returns.
enum ConfLineFailure : int {
  CONF_BAD_KEYWORD = -7,     // unknown or ambiguous
  CONF_ARG_IN_COMMENT = -8,  // the argument stands behind the comment character
  CONF_BAD_ARG = -11,        // missing, or not a value the item takes
};

// Parses one piece of the file, whose newline is already removed. Returns 1
// when its keyword was recognised and its value stored, 0 for a blank or
// comment line, or a ConfLineFailure after printing the line's error.
// `item`, when given, gets the recognised keyword's item code.
int conf_parse_line(Console& con, ConfRec& rec, int number, char* line,
                    std::uint32_t* item = nullptr);

// Takes an argument token by the general rule; prints the "missing" message
// naming `what` and returns CONF_BAD_ARG (no token) or CONF_ARG_IN_COMMENT.
int conf_take_arg(ConfLine& line, const char* what, char** token);

// Prints "missing <what> argument" for the line.
void conf_missing(const ConfLine& line, const char* what);
