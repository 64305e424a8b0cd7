#pragma once
// The wire trace of --trace: every event on the serial port, one line each,
// written and flushed as it happens so that the file is whole even when a
// failed read ends the process. A line is the seconds since the run started
// (with microseconds), then what happened; the lines of the bytes that went
// out (TX) or came in (RX) then have a colon and the bytes, as two-digit
// lower-case hex with their printable text between bars. No other line has
// a colon, so a script splits a line at its first colon.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "text/text_file.h"

class WireTrace {
 public:
  explicit WireTrace(FilePtr file);

  // The first write that fails is reported through `report`, in one line
  // that names the file as `name`; the trace goes on trying.
  void on_failure(std::string name, std::function<void(const std::string&)> report) {
    name_ = std::move(name);
    report_ = std::move(report);
  }

  // An event without bytes.
  void event(std::string_view what);
  // An event and its bytes.
  void bytes(std::string_view what, const std::uint8_t* data, int count);
  // Seconds since the trace began.
  double seconds() const;

 private:
  void line(const std::string& text);

  FilePtr file_;
  std::string name_;
  std::function<void(const std::string&)> report_;
  bool failed_ = false;
  std::chrono::steady_clock::time_point start_;
};

// "00 15 63 |..c|": the bytes in hex, then their text, a dot for each byte
// that is not printable ASCII. No bytes give "||".
std::string wire_bytes_text(const std::uint8_t* data, int count);

// A system error text fit for a trace line: no line ends, no colons.
std::string wire_reason(const char* text);
