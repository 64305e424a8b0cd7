#pragma once
// Names that an operator might type for a file but that open as something
// else on this platform: a folder everywhere; on POSIX a FIFO and /dev/null,
// on Windows the NUL device. Made in `dir` where they need making.

#include <string>
#include <vector>

#include "support/scratch_dir.h"

std::vector<std::string> not_file_names(const ScratchDir& dir);
