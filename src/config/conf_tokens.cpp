#include "config/conf_tokens.h"

std::uint16_t conf_switch(const char* text, bool p_means_yes) {
  switch (text[0]) {
    case 'y':
    case 'Y':
    case '1':
    case 't':
    case 'T':
    case 'e':
    case 'E':
      return 1;
    case 'p':
    case 'P':
      return p_means_yes ? 1 : 0;
    default:
      return 0;
  }
}
