#pragma once
// Text and numbers as an SVG file may hold them.

#include <string>
#include <string_view>

// Escapes the five XML specials; a byte that is no printable ASCII (a
// control character, or part of a name in another encoding) becomes "?",
// so that any file name or call sign keeps the file well-formed.
std::string xml_text(std::string_view text);

// A coordinate with one decimal; anything not finite is written as 0.
std::string svg_num(double value);
