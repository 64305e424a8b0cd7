#pragma once
// The Windows console hands over what is typed as UTF-16, while the C library
// opens files by their names in the ANSI code page and the console shows the
// program's bytes in its own output code page. Lines read from the console
// are therefore taken as UTF-16 and given to the program in the ANSI code
// page, and text with characters beyond ASCII goes back to the console as
// UTF-16: a name with an umlaut typed at the prompt opens that file and is
// shown as typed. ASCII passes through unchanged either way. (POSIX
// terminals and every pipe carry the bytes as they are.)

#include <cstdio>
#include <string>
#include <string_view>

// Writes `text` to standard output or error, as the screen shows it.
void write_screen(std::FILE* stream, std::string_view text);

// The two below exist on Windows only.

// `typed` in the ANSI code page; a character that it has no byte for becomes
// '?', which names no file.
std::string console_text_to_ansi(std::wstring_view typed);
// ANSI code page text as UTF-16, for the console.
std::wstring ansi_to_console_text(std::string_view text);
