// Builds without a line editor: the console reads plain lines, and on
// Windows the console's own line editing stays in charge.
#include "console/line_editor.h"

std::unique_ptr<LineEditor> terminal_line_editor(Completer) { return nullptr; }
