#pragma once

#include "console/token_scanner.h"

// Splits a command line into words at runs of commas, blanks and tabs.
class WordSplitter {
 public:
  // Words are cut in place: the separator after each word is overwritten.
  explicit WordSplitter(char* line) : scan_(line) {}
  // The next word, or null when none is left.
  const char* next() { return scan_.next(", \t"); }

 private:
  TokenScanner scan_;
};

// The COM port number of a connect or firmware argument: its leading decimal
// number, or the number after a leading "com" in any letter case, so that
// "3", "com3" and "COM3" all give 3. Returns 0 unless the result is 1..10.
int parse_port_number(const char* arg);
