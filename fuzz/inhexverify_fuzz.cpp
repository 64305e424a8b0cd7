// Feeds arbitrary bytes to the firmware file check and holds it against a
// plain reading of the Intel HEX record: a file passes exactly when it has
// record lines and every one is well formed, and a failure names the first
// line that is not.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "firmware/hex_lines.h"
#include "firmware/inhexverify.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

int byte_at(const std::string& line, std::size_t pos) {
  const std::string digits = line.substr(pos, 2);
  if (digits.size() != 2 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return -1;
  return static_cast<int>(std::strtoul(digits.c_str(), nullptr, 16));
}

bool well_formed(const std::string& line) {
  const int n = byte_at(line, 1);
  if (n < 0 || n > 128 || line.size() != 11 + 2 * static_cast<std::size_t>(n)) return false;
  unsigned sum = 0;
  for (std::size_t pos = 1; pos < line.size(); pos += 2) {
    const int b = byte_at(line, pos);
    if (b < 0) return false;
    sum += static_cast<unsigned>(b);
  }
  const int type = byte_at(line, 7);
  const int address = byte_at(line, 3) * 256 + byte_at(line, 5);
  return sum % 256 == 0 && type <= 5 && (type != 0 || address % 4 == 0);
}

// The record count when every record line is well formed, else minus the
// number of the first line that is not; 0 for no record line.
long expected(std::FILE* file) {
  HexLineReader reader(file);
  long records = 0;
  while (reader.next() == HexRead::kLine) {
    if (!reader.is_record()) continue;
    if (!well_formed(reader.text())) return -static_cast<long>(reader.number());
    ++records;
  }
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A stream over memory: no file to write for every input.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::FILE* file = fmemopen(bytes.data(), size, "r");
  if (file == nullptr) return 0;
  Console con("");
  const int rc = inhexverify(con, file);
  const long want = expected(file);
  std::fclose(file);
  const std::string& out = con.output();
  if (want > 0) {
    check(rc == want && out.empty());
  } else if (want == 0) {
    check(rc == -7 && out == "\a\aError: Firmware file is empty!\n");
  } else {
    const std::string where = " for line " + std::to_string(-want) + " in Firmware file!\n";
    check(rc >= -6 && rc <= -2);
    check(out.size() > where.size() &&
          out.compare(out.size() - where.size(), where.size(), where) == 0);
  }
  return 0;
}
