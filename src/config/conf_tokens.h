#pragma once
// Cutting a configuration line into tokens and reading their values.

#include <cstddef>
#include <cstdint>

// Delimiters of the keyword token and of the latitude token: a comment
// character does not end either of them.
constexpr const char* CONF_WORD_DELIMS = " \t,";
// Delimiters of every other argument: a comment character ends it.
constexpr const char* CONF_ARG_DELIMS = "#/; \t,";
constexpr const char* CONF_COMMENT_CHARS = "#/;";

// Cuts tokens out of a line in place, as strtok does: leading delimiters are
// skipped, the delimiter that ends a token is overwritten with a zero byte,
// and the next cut starts behind it. Each cut may use its own delimiters.
class LineCutter {
 public:
  explicit LineCutter(char* line) : line_(line), pos_(line) {}
  // The next token, or null when only delimiters are left.
  char* next(const char* delims);
  // Where `token` begins in the line.
  std::size_t offset(const char* token) const { return static_cast<std::size_t>(token - line_); }

 private:
  char* line_;
  char* pos_;
};

// The decimal number at the start of `text`, as atoi reads it (white space,
// an optional sign, digits; no digits give 0), held within the range of int.
int conf_decimal(const char* text);

// The number at the start of `text` with its base told by its prefix ("0x"
// hexadecimal, "0" octal, else decimal), as strtol reads it with base 0;
// held within the range of int.
int conf_auto_base(const char* text);

// A switch: on when the first character says yes (y, 1, t, e, and p too when
// `p_means_yes`), off for anything else.
std::uint16_t conf_switch(const char* text, bool p_means_yes);
