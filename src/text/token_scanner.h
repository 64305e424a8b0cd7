#pragma once
// Cuts tokens from a line in place, keeping its position between calls. Each
// call names its own separator set: it skips separators of that set, takes
// the token up to the next one, overwrites that one separator with a
// terminator and resumes after it. Angle texts may hold blanks, so the rule
// parser switches sets from one argument to the next.

// What separates the words of a command line, a keyword from its argument,
// and the plain arguments of both files.
constexpr const char* WORD_SEPARATORS = " \t,";

class TokenScanner {
 public:
  explicit TokenScanner(char* line) : pos_(line) {}

  // The next token, or null when only separators of `separators` remain.
  char* next(const char* separators);

 private:
  char* pos_;
};
