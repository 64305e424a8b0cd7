#pragma once
// --check and --map: the operator's files compiled as configure and rules
// compile them, with their messages, then checked or drawn, without the
// prompt and without touching a port.

#include "shell/host_options.h"
#include "shell/shell.h"

// The exit status: 0 when every given file compiled (and the map was
// written), 1 otherwise; 2, before anything is read or written, when the
// map would replace one of the two files.
int run_file_check(Shell& shell, const HostOptions& options);
