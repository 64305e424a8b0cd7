#pragma once
// The action behind each command of the table. Each checks the link state
// and its arguments, prints its own messages and calls the subsystem that
// does the work.

#include <cstdint>

#include "shell/shell.h"
#include "shell/words.h"

// Each action takes its arguments from `words` and returns true when it did
// what it was asked: false after any error message, and after a question
// answered no (nothing was done).
bool action_help(Shell& shell, WordSplitter& words);
bool action_angles(Shell& shell, WordSplitter& words);
bool action_dconfigure(Shell& shell, WordSplitter& words);
bool action_drules(Shell& shell, WordSplitter& words);
bool action_configure(Shell& shell, WordSplitter& words);
bool action_rules(Shell& shell, WordSplitter& words);
bool action_connect(Shell& shell, WordSplitter& words);
bool action_disconnect(Shell& shell, WordSplitter& words);
bool action_baud(Shell& shell, WordSplitter& words);
bool action_download(Shell& shell, WordSplitter& words);
bool action_firmware(Shell& shell, WordSplitter& words);
// "." reaches here only behind a separator: it has no action of its own.
bool action_repeat(Shell& shell, WordSplitter& words);

// Compile a file as the configure and rules commands do, with their
// messages; true when it compiled.
bool compile_configuration(Shell& shell, const char* file_name);
bool compile_rules(Shell& shell, const char* file_name);

// The next word as a file name (quoted or not); null after its own message
// when it is missing or its closing quote is.
const char* file_name_arg(Shell& shell, WordSplitter& words);

// The COM port number of the next word, 1..10; 0 after its own message when
// the word is missing (`missing` is printed as it stands) or is no port.
int port_arg(Shell& shell, WordSplitter& words, const char* missing);

// After connect or firmware could not open the link's port: the port
// environment's one line on what stands in the way, on standard error, where
// it has one (main.cpp gives it one on a terminal only).
void advise_failed_open(Shell& shell);

// True for a rate that connect and baud accept; false after the message.
bool baud_ok(Shell& shell, int baud);

// Asks a yes/no question (its text already printed) and reads the answer
// into cmd_line. True only for an answer that begins with y or Y; prints
// "\n" first when the input has ended.
bool ask_yes(Shell& shell);
