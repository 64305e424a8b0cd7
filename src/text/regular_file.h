#pragma once
// Opens an operator's file only when it is a regular file. A FIFO blocks in
// open(), /dev/zero never ends, and on Windows names such as CON, NUL or COM1
// open devices: none of them is a file the operator meant to compile.

#include <cstdio>

enum class OpenStatus { kOpened, kCannotOpen, kNotRegular };

// Opens `path` for reading as text without blocking on the way. `*file` is
// set only for kOpened.
OpenStatus open_regular_file(const char* path, std::FILE** file);
