#pragma once
// The command line's fault forms (--fault FAULT); FAULT_FORMS_HELP lists them.

#include <string>
#include <string_view>

#include "emu_faults.h"

// Reads one fault text into `fault`; false, with the reason in `error`, for a text
// that is not one.
bool parse_fault(std::string_view text, Fault& fault, std::string& error);

extern const char FAULT_FORMS_HELP[];
