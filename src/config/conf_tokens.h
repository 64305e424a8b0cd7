#pragma once
// The delimiters of a configuration line's tokens, and the switch values.

#include <cstdint>

// The keyword token and the latitude token end at WORD_SEPARATORS only: a
// comment character does not end either of them. Every other argument ends
// at a comment character too.
constexpr const char* CONF_ARG_DELIMS = "#/; \t,";

// A switch: on when the first character says yes (y, 1, t, e, and p too when
// `p_means_yes`), off for anything else.
std::uint16_t conf_switch(const char* text, bool p_means_yes);
