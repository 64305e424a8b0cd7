#pragma once

#include "config/conf_rec.h"
#include "console/console.h"

// The command summary, with the current default connect rate marked.
void help_summary(Console& con, const ConfRec& conf);
