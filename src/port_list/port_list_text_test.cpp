#include "port_list/port_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ListedPort named(std::string name) {
  ListedPort p;
  p.name = std::move(name);
  return p;
}

ListedPort usb_port(std::string name, std::string driver, std::uint16_t vid, std::uint16_t pid) {
  ListedPort p = named(std::move(name));
  p.driver = std::move(driver);
  p.usb = true;
  p.vendor_id = vid;
  p.product_id = pid;
  return p;
}

TEST(PortLine, SaysHowToUseThePortAndWhatItIs) {
  ListedPort ftdi = usb_port("/dev/ttyUSB0", "ftdi_sio", 0x0403, 0x6001);
  ftdi.manufacturer = "FTDI";
  ftdi.product = "FT232R USB UART";
  ftdi.serial = "A50285BI";
  ftdi.by_id = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
  ListedPort uart = named("/dev/ttyS0");
  uart.driver = "serial";
  uart.uart = "16550A";
  ListedPort com11 = named("COM11");
  com11.kernel_device = "\\Device\\Serial10";
  ListedPort quotes = named("/dev/ttyACM0");
  quotes.product = "Say \"hi\" \\o/";
  ListedPort com = usb_port("COM3", "FTSER2K", 0x0403, 0x6015);
  com.description = "USB Serial Port (COM3)";
  com.manufacturer = "FTDI";
  com.hardware_id = "FTDIBUS\\COMPORT&VID_0403&PID_6015";
  com.kernel_device = "\\Device\\VCP0";
  const struct {
    ListedPort port;
    PortNaming naming;
    int number;
    std::string line;
  } cases[] = {
      {ftdi, PortNaming::kDevicePath, 1,
       "/dev/ttyUSB0 (--com 1=/dev/ttyUSB0): ftdi_sio, USB 0403:6001, \"FTDI\", \"FT232R USB "
       "UART\", serial \"A50285BI\", "
       "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0\n"},
      {uart, PortNaming::kDevicePath, 10,
       "/dev/ttyS0 (--com 10=/dev/ttyS0): serial, 16550A UART\n"},
      // Beyond the ten port numbers the operator picks one.
      {uart, PortNaming::kDevicePath, 11, "/dev/ttyS0 (--com N=/dev/ttyS0): serial, 16550A UART\n"},
      {named("/dev/cu.usbserial-A10K"), PortNaming::kDevicePath, 2,
       "/dev/cu.usbserial-A10K (--com 2=/dev/cu.usbserial-A10K)\n"},
      {com, PortNaming::kComNumber, 1,
       "COM3: \"USB Serial Port (COM3)\", FTSER2K, USB 0403:6015, \"FTDI\", "
       "FTDIBUS\\COMPORT&VID_0403&PID_6015, \\Device\\VCP0\n"},
      {named("COM10"), PortNaming::kComNumber, 1, "COM10\n"},
      // connect takes COM1..COM10; a higher one opens through --com.
      {com11, PortNaming::kComNumber, 1, "COM11 (--com N=\\\\.\\COM11): \\Device\\Serial10\n"},
      // A quote or backslash in a device's string is escaped inside the quotes.
      {quotes, PortNaming::kDevicePath, 1,
       "/dev/ttyACM0 (--com 1=/dev/ttyACM0): \"Say \\\"hi\\\" \\\\o/\"\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(port_line(c.port, c.naming, c.number), c.line) << c.line;
  }
}

TEST(PortListText, EndsWithHowToUseAPortOrThatThereIsNone) {
  const ListedPort tty = named("/dev/ttyUSB0");
  ListedPort linked = tty;
  linked.by_id = "/dev/serial/by-id/usb-x";
  const std::string posix_use =
      "To use a port, start ktreva-host with its --com N=PATH and type connect N at the Command> "
      "prompt.\n";
  const struct {
    PortListing listing;
    std::string text;
  } cases[] = {
      {{PortNaming::kDevicePath, {}, ""}, "No serial ports found.\n"},
      {{PortNaming::kComNumber, {}, ""}, "No serial ports found.\n"},
      {{PortNaming::kDevicePath, {tty, named("/dev/ttyS0")}, ""},
       "/dev/ttyUSB0 (--com 1=/dev/ttyUSB0)\n/dev/ttyS0 (--com 2=/dev/ttyS0)\n" + posix_use},
      {{PortNaming::kDevicePath, {linked}, ""},
       "/dev/ttyUSB0 (--com 1=/dev/ttyUSB0): /dev/serial/by-id/usb-x\n"
       "To use a port, start ktreva-host with its --com N=PATH (a /dev/serial/by-id path "
       "survives a replug) and type connect N at the Command> prompt.\n"},
      {{PortNaming::kComNumber, {named("COM1"), named("COM4")}, ""},
       "COM1\nCOM4\nTo use a port, type connect N at the Command> prompt for COMN.\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(port_list_text(c.listing), c.text);
}

// The UTF-8 bytes of a bidirectional control, made from characters so that
// no string literal of the tests carries one.
std::string bidi(char second, char third) { return std::string{'\xe2', second, third}; }

// Device strings reach the terminal: none may carry a control sequence.
TEST(PrintableText, EscapesWhatATerminalWouldObey) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"FT232R USB UART", "FT232R USB UART"},
      {"\x1b[2J\x1b]0;owned\x07", "\\x1b[2J\\x1b]0;owned\\x07"},
      {"tab\there\r\n", "tab\\x09here\\x0d\\x0a"},
      {"del\x7f", "del\\x7f"},
      {"Prolific Technology Inc. \xc2\xae", "Prolific Technology Inc. \xc2\xae"},  // U+00AE
      {"\xe6\x97\xa5\xe6\x9c\xac", "\xe6\x97\xa5\xe6\x9c\xac"},
      {"\xf0\x9f\x93\xa1", "\xf0\x9f\x93\xa1"},
      // Bidirectional controls would show the text after them reordered.
      {"evil" + bidi('\x80', '\xae') + "gpj.exe", "evil\\xe2\\x80\\xaegpj.exe"},  // U+202E
      {bidi('\x80', '\xaa') + bidi('\x81', '\xa6') + bidi('\x81', '\xa9'),
       "\\xe2\\x80\\xaa\\xe2\\x81\\xa6\\xe2\\x81\\xa9"},
      // Their neighbours are printable.
      {"\xe2\x80\xa9\xe2\x80\xaf\xe2\x81\xa5\xe2\x81\xaa",
       "\xe2\x80\xa9\xe2\x80\xaf\xe2\x81\xa5\xe2\x81\xaa"},
      {"c1 csi \xc2\x9b"
       "2J",
       "c1 csi \\xc2\\x9b2J"},                       // U+009B, CSI to some terminals
      {"latin-1 \xe9t\xe9", "latin-1 \\xe9t\\xe9"},  // no UTF-8
      {"overlong \xc0\xaf \xe0\x80\xaf", "overlong \\xc0\\xaf \\xe0\\x80\\xaf"},
      {"cut \xe6\x97", "cut \\xe6\\x97"},
      {"surrogate \xed\xa0\x80", "surrogate \\xed\\xa0\\x80"},
      {"beyond \xf4\x90\x80\x80 \xf5\x80", "beyond \\xf4\\x90\\x80\\x80 \\xf5\\x80"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"a \"quote\" and a \\", "a \"quote\" and a \\"},
  };
  for (const auto& c : cases) EXPECT_EQ(printable_text(c.in), c.out) << c.out;
}

TEST(PortNameLess, ComparesNumbersAsNumbers) {
  const struct {
    const char* a;
    const char* b;
    bool less;
  } cases[] = {
      {"ttyS2", "ttyS10", true},  {"ttyS10", "ttyS2", false}, {"COM9", "COM10", true},
      {"ttyACM0", "ttyS0", true}, {"ttyS0", "ttyUSB0", true}, {"ttyUSB1", "ttyUSB1", false},
      {"ttyS", "ttyS0", true},    {"ttyS0", "ttyS", false},   {"ttyS01", "ttyS2", true},
  };
  for (const auto& c : cases) EXPECT_EQ(port_name_less(c.a, c.b), c.less) << c.a << " " << c.b;
}

}  // namespace
