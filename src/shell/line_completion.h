#pragma once
// Tab at the prompt: the command word from the command table, the COM port
// of connect and firmware, and the file name of configure, rules and
// firmware. The line is read as the command loop reads it: words apart at
// commas, blanks and tabs, a file name in double quotes running to the
// closing quote.

#include <string_view>

#include "console/line_editor.h"

Completion complete_command_line(std::string_view before_cursor);
