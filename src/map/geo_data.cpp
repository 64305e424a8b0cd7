#include "map/geo_data.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr std::string_view kMagic{"KTGEO1\n\0", 8};
constexpr double kUnitsPerDegree = 1000.0;
enum Section : std::uint8_t {
  kCredit = 0,
  kCoast = 1,
  kBorder = 2,
  kState = 3,
  kTown = 4,
  kEnd = 255
};

// Reads the file's numbers and texts, each checked against what is left.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool byte(std::uint8_t& out) {
    if (at_ >= bytes_.size()) return false;
    out = static_cast<std::uint8_t>(bytes_[at_++]);
    return true;
  }
  bool varint(std::uint64_t& out) {
    out = 0;
    for (int shift = 0; shift < 42; shift += 7) {
      std::uint8_t b = 0;
      if (!byte(b)) return false;
      out |= static_cast<std::uint64_t>(b & 0x7F) << shift;
      if ((b & 0x80) == 0) return true;
    }
    return false;  // longer than any number the file holds
  }
  bool zigzag(std::int64_t& out) {
    std::uint64_t v = 0;
    if (!varint(v)) return false;
    out = (v & 1) != 0 ? -static_cast<std::int64_t>(v >> 1) - 1 : static_cast<std::int64_t>(v >> 1);
    return true;
  }
  // A count of items of at least `least_bytes` each, that the rest can hold.
  bool count(std::size_t& out, std::size_t least_bytes) {
    std::uint64_t v = 0;
    if (!varint(v) || v > left() / least_bytes) return false;
    out = static_cast<std::size_t>(v);
    return true;
  }
  bool text(std::string& out) {
    std::size_t size = 0;
    if (!count(size, 1)) return false;
    out.assign(bytes_.substr(at_, size));
    at_ += size;
    return true;
  }
  bool skip(std::string_view expected) {
    if (bytes_.substr(at_, expected.size()) != expected) return false;
    at_ += expected.size();
    return true;
  }
  std::size_t left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  std::size_t at_ = 0;
};

// A point as the difference from the one before; false when it leaves the globe.
bool read_point(Reader& in, std::int64_t (&last)[2], GeoPoint& p) {
  std::int64_t dlon = 0;
  std::int64_t dlat = 0;
  if (!in.zigzag(dlon) || !in.zigzag(dlat)) return false;
  last[0] += dlon;
  last[1] += dlat;
  p = {static_cast<double>(last[1]) / kUnitsPerDegree,
       static_cast<double>(last[0]) / kUnitsPerDegree};
  return std::fabs(p.lat) <= 90.0 && std::fabs(p.lon) <= 180.0;
}

bool read_lines(Reader& in, std::vector<GeoLine>& lines) {
  std::size_t count = 0;
  if (!in.count(count, 5)) return false;
  std::int64_t last[2] = {0, 0};
  lines.resize(count);
  for (GeoLine& line : lines) {
    std::size_t points = 0;
    if (!in.count(points, 2) || points < 2) return false;
    line.resize(points);
    for (GeoPoint& p : line) {
      if (!read_point(in, last, p)) return false;
    }
  }
  return true;
}

bool read_towns(Reader& in, std::vector<Town>& towns) {
  std::size_t count = 0;
  if (!in.count(count, 4)) return false;
  std::int64_t last[2] = {0, 0};
  towns.resize(count);
  for (Town& t : towns) {
    std::uint64_t population = 0;
    if (!in.varint(population) || population > UINT32_MAX) return false;
    t.population = static_cast<std::uint32_t>(population);
    if (!read_point(in, last, t.at) || !in.text(t.name)) return false;
  }
  std::stable_sort(towns.begin(), towns.end(),
                   [](const Town& a, const Town& b) { return a.population > b.population; });
  return true;
}

bool read_section(Reader& in, std::uint8_t kind, Geography& geo) {
  switch (kind) {
    case kCredit:
      return in.text(geo.credit);
    case kCoast:
      return read_lines(in, geo.coast);
    case kBorder:
      return read_lines(in, geo.border);
    case kState:
      return read_lines(in, geo.state);
    case kTown:
      return read_towns(in, geo.towns);
    default:
      return false;
  }
}

}  // namespace

std::string parse_geography(std::string_view bytes, Geography& geo) {
  Reader in(bytes);
  if (!in.skip(kMagic)) return "not a geography file";
  Geography read;
  for (std::uint8_t kind = 0;;) {
    if (!in.byte(kind)) return "damaged: it ends too soon";
    if (kind == kEnd) break;
    if (!read_section(in, kind, read)) return "damaged: a section does not read";
  }
  if (in.left() != 0) return "damaged: bytes after its end";
  geo = std::move(read);
  return {};
}

std::string load_geography(const std::string& path, Geography& geo) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             std::fclose);
  if (!file) return std::strerror(errno);
  std::string bytes;
  char chunk[65536];
  while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    bytes.append(chunk, got);
  }
  if (std::ferror(file.get()) != 0) return "read error";
  return parse_geography(bytes, geo);
}

std::vector<std::string> geo_data_places(const std::string& program_dir) {
  if (program_dir.empty()) return {};
  return {program_dir + "/ktreva-geo.dat", program_dir + "/../share/ktreva-host/ktreva-geo.dat"};
}
