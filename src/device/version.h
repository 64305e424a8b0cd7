#pragma once

// The utility's version text: printed in the banner and required of the
// device's greeting, so the two always agree.
inline constexpr const char* KTREVA_VERSION = "Version 2.2b";
inline constexpr const char* KTREVA_PRODUCT = "kTrevaNodi";
