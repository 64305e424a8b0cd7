#pragma once
// The application's start-up text. The host recognises the device by the
// product name followed by its exact version text within the first 100 bytes.

#include <string>

#include "emu_faults.h"

// The bytes the application sends at start-up, by variant (`text` for kCustom).
std::string greeting_text(GreetingVariant variant, const std::string& text = {});
