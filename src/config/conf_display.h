#pragma once

#include "config/conf_rec.h"
#include "console/console.h"

// The "dconfigure" listing of the record.
void conf_display(Console& con, const ConfRec& rec);
