#pragma once
// A completion in the form readline-style editors take it: the editor picks
// the word before the cursor by its own rules (`span_start`), which may begin
// earlier or later than the word the completer read, so the replacement is
// made to fit the editor's word.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/line_editor.h"

// First the text that replaces the editor's word: the only candidate, or the
// part that all candidates share. Then the candidate twice (one candidate)
// or the choices to list (several). Empty when Tab has nothing to offer.
std::vector<std::string> editor_matches(const Completion& completion,
                                        std::string_view before_cursor, std::size_t span_start);
