#pragma once
// The delimiters of a configuration line's tokens, and the switch values.

#include <cstdint>

// Delimiters of the keyword token and of the latitude token: a comment
// character does not end either of them.
constexpr const char* CONF_WORD_DELIMS = " \t,";
// Delimiters of every other argument: a comment character ends it.
constexpr const char* CONF_ARG_DELIMS = "#/; \t,";

// A switch: on when the first character says yes (y, 1, t, e, and p too when
// `p_means_yes`), off for anything else.
std::uint16_t conf_switch(const char* text, bool p_means_yes);
