#include "greeting.h"

namespace {

std::string banner(const std::string& first_line) {
  return "\r\n" + first_line +
         "\r\n"
         "Copyright (c) kTreva Labs, all rights reserved\r\n"
         "Host 57600  GPS 9600  TNC 19200\r\n"
         "Type <ctrl>-c for the command prompt\r\n";
}

std::string with_nul_and_ff() {
  std::string text("\xFF\r\n", 3);
  text += "kTrevaNodi APRS Digipeater";
  text += std::string("\0\xFF", 2);
  text += " Version 2.2b\r\n";
  text += std::string("\0", 1);
  text += "Copyright (c) kTreva Labs\xFF all rights reserved\r\n";
  text += "Type <ctrl>-c for the command prompt\r\n";
  return text;
}

}  // namespace

std::string greeting_text(GreetingVariant variant, const std::string& text) {
  switch (variant) {
    case GreetingVariant::kStandard:
      return banner("kTrevaNodi APRS Digipeater  Version 2.2b");
    case GreetingVariant::kOtherVersion:
      return banner("kTrevaNodi APRS Digipeater  Version 2.1");
    case GreetingVariant::kNoName:
      return banner("APRS Digipeater  Version 2.2b");
    case GreetingVariant::kVersionFirst:
      return banner("Version 2.2b of the kTrevaNodi APRS Digipeater");
    case GreetingVariant::kNulAndFf:
      return with_nul_and_ff();
    case GreetingVariant::kShort:
      return "\r\nkTrevaNodi Version 2.2b\r\n";
    case GreetingVariant::kSilent:
      return {};
    case GreetingVariant::kCustom:
      return text;
  }
  return {};
}
