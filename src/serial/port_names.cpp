#include "serial/port_names.h"

#include <cctype>
#include <cstring>

#include "text/number_text.h"

namespace {

bool begins_with_com(std::string_view text) {
  constexpr std::string_view com = "com";
  if (text.size() < com.size()) return false;
  for (std::size_t i = 0; i < com.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != com[i]) return false;
  }
  return true;
}

// A word that reads as 0 ("com3", "co") gets its second chance after "com".
int read_port_word(std::string_view text) {
  int number = read_int(text);
  if (number == 0 && begins_with_com(text)) number = read_int(text.substr(3));
  return number >= 1 && number <= PORT_NAMES_MAX ? number : 0;
}

}  // namespace

int parse_port_number(std::string_view text, PortText form) {
  const int number = read_port_word(text);
  if (number == 0 || form == PortText::kWord) return number;
  const std::string exact = (form == PortText::kName ? "COM" : "") + std::to_string(number);
  return text == exact ? number : 0;
}

bool PortNames::map(const char* mapping) {
  const char* eq = std::strchr(mapping, '=');
  if (eq == nullptr || eq[1] == '\0') return false;
  const int n = parse_port_number(std::string_view(mapping, eq), PortText::kNumber);
  if (n == 0) return false;
  paths_[static_cast<std::size_t>(n)] = eq + 1;
  return true;
}

std::string PortNames::device_path(const char* name) const {
  const int n = parse_port_number(name, PortText::kName);
  if (n == 0) return name;
  const std::string& mapped = paths_[static_cast<std::size_t>(n)];
  return mapped.empty() ? default_device_path(n) : mapped;
}
