#pragma once
// The files a session writes beside its console: the wire trace of --trace
// and the copy of the console of --log. Both are created (or emptied) at
// start-up, before anything else happens, and only once both are known to
// be writable and to be two files: a refused run leaves both as they were.

#include <memory>
#include <string>

#include "serial/wire_trace.h"
#include "shell/host_options.h"
#include "text/text_file.h"

struct SessionFiles {
  std::unique_ptr<WireTrace> trace;  // null without --trace
  FilePtr log;                       // null without --log
};

// Opens the files that `options` name. Empty, or why one could not be
// created, in one line.
std::string open_session_files(const HostOptions& options, SessionFiles& files);
