#include "rules/rule_areas.h"

#include "rules/rule_tables.h"
#include "text/number_text.h"
#include "text/word_match.h"

namespace {

constexpr double LAT = 90.0;
constexpr double LON = 180.0;

const AngleArg CIRCLE_LAT = {{"missing Latitude", -24, "missing Latitude", -17},
                             ANGLE_SEPARATORS,
                             -LAT,
                             LAT,
                             "invalid Latitude range [-90..90]",
                             -19};
const AngleArg CIRCLE_LON = {{"missing Longitude", -23, "missing Longitude", -20},
                             LAST_ANGLE_SEPARATORS,
                             -LON,
                             LON,
                             "invalid Longitude range [-180..180]",
                             -22};
const AngleArg COMPASS_LAT = {{"missing Latitude", -36, "missing Latitude", -29},
                              ANGLE_SEPARATORS,
                              -LAT,
                              LAT,
                              "invalid Latitude range [-90..90]",
                              -31};
const AngleArg COMPASS_LON = {{"missing Longitude", -35, "missing Longitude", -32},
                              LAST_ANGLE_SEPARATORS,
                              -LON,
                              LON,
                              "invalid Longitude range [-180..180]",
                              -34};
const AngleArg kRectangle[4] = {
    {{"missing Latitude1", -53, "missing Latitude1", -38},
     ANGLE_SEPARATORS,
     -LAT,
     LAT,
     "invalid Latitude1 range [-90..90]",
     -40},
    {{"missing Longitude1", -52, "missing Longitude1", -41},
     ANGLE_SEPARATORS,
     -LON,
     LON,
     "invalid Longitude1 range [-180..180]",
     -43},
    {{"missing Latitude2", -51, "missing Latitude2", -44},
     ANGLE_SEPARATORS,
     -LAT,
     LAT,
     "invalid Latitude2 range [-90..90]",
     -46},
    {{"missing Longitude2", -50, "missing Longitude2", -47},
     LAST_ANGLE_SEPARATORS,
     -LON,
     LON,
     "invalid Longitude2 range [-180..180]",
     -49},
};
constexpr std::size_t RECTANGLE_SLOTS[4] = {RULE_SLOT1, RULE_SLOT2, RULE_SLOT3, RULE_SLOT4};

const ArgMessages RADIUS = {"missing Radius", -25, "missing Range", -14};
const ArgMessages DIRECTION = {"missing Compass Direction", -37, "missing Direction", -26};

// The direction code 1 to 8 of a compass name, or 0.
std::uint8_t compass_code(const char* token) {
  for (std::size_t code = 1; code < compass_names.size(); ++code) {
    if (same_word(token, compass_names[code])) return static_cast<std::uint8_t>(code);
  }
  return 0;
}

// The position that closes circle and compass rules, into slots 2 and 3.
int take_position(RuleLine& line, const AngleArg& lat_arg, const AngleArg& lon_arg, RuleRec& rec) {
  double lat = 0;
  double lon = 0;
  if (int rc = take_angle(line, lat_arg, &lat)) return rc;
  rule_put_real(rec, RULE_SLOT2, to_single(lat));
  if (int rc = take_angle(line, lon_arg, &lon)) return rc;
  rule_put_real(rec, RULE_SLOT3, to_single(lon));
  return 0;
}

}  // namespace

int parse_circle(RuleLine& line, RuleRec& rec) {
  char* token = nullptr;
  if (int rc = take_arg(line, WORD_SEPARATORS, RADIUS, &token)) return rc;
  const double radius = read_real(token);
  if (radius <= 0) return rule_error(line, -16, "invalid Circle Radius, must be > 0: %f", radius);
  rule_put_real(rec, RULE_SLOT1, to_single(radius));
  return take_position(line, CIRCLE_LAT, CIRCLE_LON, rec);
}

int parse_compass(RuleLine& line, RuleRec& rec) {
  char* token = nullptr;
  if (int rc = take_arg(line, WORD_SEPARATORS, DIRECTION, &token)) return rc;
  const std::uint8_t dir = compass_code(token);
  if (dir == 0) return rule_error(line, -27, "invalid compass Direction %s", token);
  rule_put_dir(rec, dir);
  return take_position(line, COMPASS_LAT, COMPASS_LON, rec);
}

int parse_rectangle(RuleLine& line, RuleRec& rec) {
  for (std::size_t i = 0; i < 4; ++i) {
    double degrees = 0;
    if (int rc = take_angle(line, kRectangle[i], &degrees)) return rc;
    rule_put_real(rec, RECTANGLE_SLOTS[i], to_single(degrees));
  }
  return 0;
}
