#include "map/svg_text.h"

#include <cmath>

#include "console/console.h"

std::string xml_text(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += (c >= 0x20 && c < 0x7F) ? c : '?';
        break;
    }
  }
  return out;
}

std::string svg_num(double value) {
  if (!std::isfinite(value)) value = 0.0;
  std::string text = format_text("%.1f", value);
  return text == "-0.0" ? "0.0" : text;
}
