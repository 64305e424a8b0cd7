#include "angles/angle_notation.h"

#include <cstring>

namespace angles {
namespace {

bool is_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

int check_colon(Console& con, const AngleCounts& counts) {
  if (counts.colons != 2) {
    con.print("\a\aError: Colon format: must have 2 colons: [s][D]DD:MM:SS[.F*]\n");
    return ANGLE_FAIL;
  }
  if (counts.periods > 1) {
    con.print("\a\aError: Colon format: too many periods: [s][D]DD:MM:SS[.F*]\n");
    return ANGLE_FAIL;
  }
  if (counts.letters > 0) {
    con.print("\a\aError: Colon format: has alpha characters: [s][D]DD:MM:SS[.F*]\n");
    return ANGLE_FAIL;
  }
  return 0;
}

int check_dotted(Console& con, const AngleCounts& counts) {
  if (counts.periods == 0) {
    con.print("\a\aError: Unrecognized format: must be one of Dotted, Colon or DMC\n");
    return ANGLE_FAIL;
  }
  if (counts.periods != 2) {
    con.print(
        "\a\aError: Dotted format: must have 2 periods: [s][D]DD.MM.[F*]\n"
        "\tor DMC format must have at least one of [DdMmCc] identifiers\n");
    return ANGLE_FAIL;
  }
  return 0;
}

// The direction letters are looked for in the whole text, as the minus
// signs are counted in the whole text.
int check_dmc(Console& con, const char* text, const AngleCounts& counts, AngleParts& parts) {
  if (std::strpbrk(text, "DdMmCc") == nullptr) {
    con.print(
        "\a\aError: DMC format must have at least one of [DdMmCc] identifiers\n"
        "\tor Dotted format: found illegal character: [s][D]DD.MM.[F*]\n");
    return ANGLE_FAIL;
  }
  const char* north_east = std::strpbrk(text, "NnEe");
  const char* south_west = std::strpbrk(text, "SsWw");
  parts.south_west = south_west != nullptr;
  if (counts.minus > 0 && (north_east != nullptr || south_west != nullptr)) {
    const char* letter = north_east != nullptr ? north_east : south_west;
    con.print("\a\aError: DMC format: both minus (-) and direction char %c cannot be specified\n",
              *letter);
    return ANGLE_FAIL;
  }
  if (north_east != nullptr && south_west != nullptr) {
    con.print("\a\aError: DMC format: both direction chars %c and %c cannot be specified\n",
              *north_east, *south_west);
    return ANGLE_FAIL;
  }
  return 0;
}

}  // namespace

AngleText parsed_text(const char* text) { return {text, text + std::strcspn(text, "\n")}; }

AngleCounts count_angle_chars(const char* text) {
  AngleCounts counts;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c == '-') {
      ++counts.minus;
    } else if (c == ':') {
      ++counts.colons;
    } else if (c == '.') {
      ++counts.periods;
    } else if (is_letter(c)) {
      ++counts.letters;
    }
  }
  return counts;
}

int decide_notation(Console& con, const char* text, const AngleCounts& counts, Notation& notation,
                    AngleParts& parts) {
  if (counts.colons > 0) {
    notation = Notation::kColon;
    return check_colon(con, counts);
  }
  if (counts.letters == 0) {
    notation = Notation::kDotted;
    return check_dotted(con, counts);
  }
  notation = Notation::kDmc;
  return check_dmc(con, text, counts, parts);
}

}  // namespace angles
