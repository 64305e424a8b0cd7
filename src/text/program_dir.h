#pragma once
// The folder of the running program, so that the data installed beside it
// is found wherever the program was installed or built.

#include <string>

// The folder, without a trailing separator; empty when the system does not say.
std::string program_dir();
