#pragma once
// The position line's two angles, read by the angle parser.

#include "config/conf_line.h"
#include "config/conf_rec.h"

// The position line: latitude, then longitude.
int conf_store_position(ConfLine& line, ConfRec& rec);
