#pragma once
// The map's geography, read from the data file that comes with the program
// (data/ktreva-geo.dat; scripts/geo-data/build.js writes it and describes
// the format). A damaged file is refused whole with the reason, never read
// in part.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "map/great_circle.h"

using GeoLine = std::vector<GeoPoint>;

struct Town {
  std::string name;
  GeoPoint at;
  std::uint32_t population = 0;
};

struct Geography {
  std::vector<GeoLine> coast;
  std::vector<GeoLine> border;
  std::vector<GeoLine> state;
  std::vector<Town> towns;  // the largest first
  std::string credit;       // what the sources' licences ask the map to say
};

// Reads the file's bytes; empty on success, else why they are no geography.
std::string parse_geography(std::string_view bytes, Geography& geo);

// Reads the file at `path`; empty on success, else why not.
std::string load_geography(const std::string& path, Geography& geo);

// Where the file is looked for when none is named: beside the program (the
// Windows folder, the build tree), then in the share folder of its prefix.
std::vector<std::string> geo_data_places(const std::string& program_dir);
