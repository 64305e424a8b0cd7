#pragma once

#include <cstdio>

#include "config/conf_line.h"
#include "config/conf_rec.h"
#include "console/console.h"
#include "text/text_file.h"

// Compiles a configuration file into `cfg.conf_rec`. 0 on success; after its
// own message on failure, COMPILER_NO_PATH, COMPILER_UNREADABLE or the
// ConfLineFailure of the first line in error.
int conf_process(Console& con, ConfigState& cfg, const char* path);

// Compiles an already opened file (a null one reads as a failed read); `path`
// is the name that messages show. The codes and messages of conf_process.
int conf_compile_file(Console& con, ConfigState& cfg, const char* path, std::FILE* file);
