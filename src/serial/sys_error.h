#pragma once

// Drops the line feed that ends a system message; a text that does not end
// with one is kept whole.
void trim_system_text(char* text);
