#pragma once

#include "config/conf_rec.h"
#include "console/console.h"

// Compiles a configuration file into `cfg.conf_rec`. 0 on success, a
// negative code after its own message on failure.
int conf_process(Console& con, ConfigState& cfg, const char* path);
