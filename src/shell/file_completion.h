#pragma once
// The file names that complete a file-name argument: entries of the folder
// that the word names (or of the current one) that begin as the word's last
// part does. A name with a blank, a tab or a comma is only one argument in
// double quotes, so then every candidate is offered quoted.

#include <cstddef>
#include <string_view>

#include "console/line_editor.h"

// `word` is the argument as typed up to the cursor, with its opening quote
// if it has one; it begins at `word_start` in the line.
Completion complete_file_name(std::string_view word, std::size_t word_start);
