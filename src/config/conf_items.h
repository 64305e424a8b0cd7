#pragma once
// The argument of each configuration item: how it is read, checked and stored.

#include <cstdint>

#include "config/conf_line.h"
#include "config/conf_rec.h"

// Handles the argument of `item` and stores its value: 0, or a
// ConfLineFailure.
int conf_store_item(ConfLine& line, ConfRec& rec, std::uint32_t item);
