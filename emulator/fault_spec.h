#pragma once
// The command line's fault forms (--fault SPEC); FAULT_SPEC_HELP lists them.

#include <string>
#include <string_view>

#include "emu_faults.h"

// Reads one SPEC into `fault`; false, with the reason in `error`, for a text
// that is not one.
bool parse_fault(std::string_view spec, Fault& fault, std::string& error);

extern const char FAULT_SPEC_HELP[];
