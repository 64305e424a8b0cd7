// Builds without a line editor: the console reads plain lines.
#include "console/line_editor.h"

std::unique_ptr<LineEditor> terminal_line_editor(Completer) { return nullptr; }
