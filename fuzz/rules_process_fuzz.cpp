// Feeds arbitrary bytes to the rules compiler as the contents of a rules
// file, read from memory, then shows the result, so the display sees whatever was compiled.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "angles/dmctodeg.h"
#include "rules/rule_display.h"
#include "rules/rules_process.h"
#include "text/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
  if (file == nullptr) return 0;  // fmemopen refuses an empty buffer on some systems
  static char buffer[BUFSIZ];     // rather than a fresh allocation per input
  std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
  rewind_text_file(file);  // as the opener does: past a byte-order mark
  Console con("");
  RuleState rules;
  ConfRec conf = conf_default_rec;
  rules_compile_file(con, rules, conf, "fuzz.txt", file, dmctodeg);
  std::fclose(file);
  rules_display(con, rules, conf);
  return 0;
}
