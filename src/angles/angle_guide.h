#pragma once

// The notation guide that the "angles" command prints.
extern const char angle_guide_text[];
