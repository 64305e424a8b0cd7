// PLACEHOLDER until the guide lands.
#include "angles/angle_guide.h"

const char angle_guide_text[] = "Colon, Dotted and DMC formats for Angles, Latitudes and Longitudes\n";
