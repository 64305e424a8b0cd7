#include "firmware/inhexverify.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "firmware/hex_digits.h"
#include "firmware/hex_lines.h"

namespace {

constexpr unsigned MAX_DATA_BYTES = 128;

// Every check reads only characters the line has. A line too short to hold
// the type field, or of an even length, can only fail the length rule (if the
// checksum has not failed first).
int check_record(Console& con, const char* line, std::size_t length, unsigned long number) {
  const char* body = line + 1;
  const int field_n = hextoi(body, 2);
  // The characters the record's own fields occupy: every one must be a digit,
  // or the sum means nothing. Characters beyond them are the length rule's.
  const std::size_t fields = std::min<std::size_t>(length - 1, 10 + 2 * std::max(field_n, 0));
  const HexScan scan = hex_scan(body);
  if (scan.sum != 0 || scan.digits < fields) {
    con.print("\a\aError: checksum mismatch (0x%02x) for line %lu in Firmware file!\n",
              static_cast<unsigned>(scan.sum), number);
    return HEX_CHECKSUM;
  }
  if (length >= 9 && (line[7] != '0' || line[8] < '0' || line[8] > '5')) {
    con.print("\a\aError: invalid type (%c%c) for line %lu in Firmware file!\n", line[7], line[8],
              number);
    return HEX_TYPE;
  }
  // Past the checksum the length field holds digits only (or is cut short).
  const unsigned n = static_cast<unsigned>(field_n);
  if (length != 11 + 2 * static_cast<std::size_t>(n)) {
    con.print("\a\aError: invalid record length (%u) for line %lu in Firmware file!\n", n, number);
    return HEX_LENGTH;
  }
  if (n > MAX_DATA_BYTES) {
    con.print("\a\aError: record length > 128 (%u) for line %lu in Firmware file!\n", n, number);
    return HEX_TOO_LONG;
  }
  const char last = line[6];  // the address's last digit: a multiple of 4 ends in 0, 4, 8 or C
  const bool aligned = last == '0' || last == '4' || last == '8' || last == 'C' || last == 'c';
  if (line[7] == '0' && line[8] == '0' && !aligned) {
    con.print("\a\aError: data record offset boundary error for line %lu in Firmware file!\n",
              number);
    return HEX_ALIGNMENT;
  }
  return 0;
}

}  // namespace

int inhexverify(Console& con, std::FILE* file) {
  if (file == nullptr) {
    con.print("inhexverify: Error: param fp is invalid\n");
    return HEX_NO_FILE;
  }
  HexLineReader reader(file);
  int records = 0;
  for (;;) {
    const HexRead got = reader.next();
    if (got == HexRead::kEnd) break;
    if (got == HexRead::kError) {
      con.print("\a\aError: cannot read Firmware file!\n");
      return HEX_NO_RECORD;
    }
    if (!reader.is_record()) continue;
    if (records < INT_MAX) ++records;
    const int rc = check_record(con, reader.text(), reader.length(), reader.number());
    if (rc < 0) return rc;
  }
  if (records == 0) {
    con.print("\a\aError: Firmware file is empty!\n");
    return HEX_NO_RECORD;
  }
  return records;
}
