#pragma once
// Port names: the operator speaks of COM1..COM10; each platform opens its own
// device for them. Windows opens "COMn" as \\.\COMn (the only form that works
// from COM10 on); POSIX opens /dev/ttyS(n-1) unless the command line mapped
// port n to another device with --com N=PATH. Messages keep the COMn name.

#include <array>
#include <string>
#include <string_view>

constexpr int PORT_NAMES_MAX = 10;

// How a text names a port. Every form reads the number as the operator's word
// does and takes only 1..10; the whole-text forms also want it written exactly
// as the utility writes it (no sign, blank or leading zero, nothing after).
enum class PortText {
  kWord,    // the operator's word: its leading decimal ("3x" is 3), or the one after a
            // leading "com" in any letter case ("Com3")
  kNumber,  // exactly the number: "3", "10" (the N of --com N=PATH)
  kName,    // exactly "COM" and the number: "COM3", the names the utility opens
};

// The port number that `text` names in `form`, or 0.
int parse_port_number(std::string_view text, PortText form = PortText::kWord);

// The --com table: which device each COM port number opens. The command line
// fills it before the first command; the link carries it to every open.
class PortNames {
 public:
  // Records a mapping written as "N=PATH" (N a kNumber, PATH not empty); a
  // later mapping of the same port replaces the earlier one. False for a bad
  // value.
  bool map(const char* mapping);

  // The device path that opening `name` uses: for a port name "COMn", a
  // mapped path or the platform's device; any other name as it is.
  std::string device_path(const char* name) const;
  // The path that --com gave port n (1..10); empty when none.
  std::string mapped(int n) const {
    return n >= 1 && n <= PORT_NAMES_MAX ? paths_[static_cast<std::size_t>(n)] : std::string();
  }

 private:
  std::array<std::string, PORT_NAMES_MAX + 1> paths_;
};

// The platform's device for port n (1..10).
std::string default_device_path(int number);
