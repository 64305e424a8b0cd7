#pragma once

// Splits a command line into words at runs of commas, blanks and tabs.
class WordSplitter {
 public:
  // Words are cut in place: the separator after each word is overwritten.
  explicit WordSplitter(char* line) : pos_(line) {}
  // The next word, or null when none is left.
  const char* next();

 private:
  char* pos_;
};

// The leading decimal number of a text, as atoi reads it (blanks, an optional
// sign, digits; no digits give 0), held within the range of int.
int leading_int(const char* text);

// The COM port number of a connect or firmware argument: "3", "com3" and
// "COM3" all give 3. Returns 0 unless the result lies in 1..10.
int parse_port_number(const char* arg);
