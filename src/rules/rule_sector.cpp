#include "rules/rule_sector.h"

#include "text/number_text.h"

namespace {

const AngleArg ANGLE1 = {{"missing Angle1", -69, "missing Angle1", -54},
                         ANGLE_SEPARATORS,
                         0.0,
                         360.0,
                         "invalid Angle1, range [0..360]",
                         -57};
const AngleArg ANGLE2 = {{"missing Angle2", -68, "missing Angle2", -58},
                         ANGLE_SEPARATORS,
                         0.0,
                         360.0,
                         "invalid Angle2, range [0..360]",
                         -60};
const ArgMessages INNER = {"missing Inner Range", -67, "missing Inner Range", -61};

}  // namespace

int parse_sector(RuleLine& line, RuleRec& rec) {
  double angle = 0;
  if (int rc = take_angle(line, ANGLE1, &angle)) return rc;
  rule_put_real(rec, RULE_SLOT1, to_single(angle));
  if (int rc = take_angle(line, ANGLE2, &angle)) return rc;
  rule_put_real(rec, RULE_SLOT2, to_single(angle));

  char* token = nullptr;
  if (int rc = take_arg(line, PATTERN_SEPARATORS, INNER, &token)) return rc;
  // A sign or a leading point is refused here, though the outer range takes them.
  if (!is_digit(token[0])) return rule_error(line, -62, "invalid or missing Inner Range");
  const float inner = to_single(read_real(token));
  rule_put_real(rec, RULE_SLOT3, inner);

  token = line.scan.next(PATTERN_SEPARATORS);
  if (token == nullptr || (line.comment != nullptr && token >= line.comment)) return 0;
  const double outer = read_real(token);
  if (!(outer > static_cast<double>(inner))) {
    return rule_error(line, -66, "invalid Outer Range, must be > Inner Range: %f", outer);
  }
  rule_put_real(rec, RULE_SLOT4, to_single(outer));
  return 0;
}
