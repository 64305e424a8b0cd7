#pragma once

// Splits a command line into words at runs of commas, blanks and tabs. Words
// are cut in place: the separator after each word is overwritten.
class WordSplitter {
 public:
  explicit WordSplitter(char* line) : pos_(line) {}

  // The next word, or null when none is left.
  const char* next();

  // The next word read as a file name. One that begins with a double quote
  // runs to the next double quote, blanks, tabs and commas included, and
  // comes back without its quotes ("C:\Users\Jo Smith\station.txt"). Null
  // when no word is left. Without a closing quote, `*unclosed` is set and the
  // rest of the line comes back from its opening quote on, for the message.
  const char* next_file_name(bool* unclosed);

 private:
  char* pos_;
};
