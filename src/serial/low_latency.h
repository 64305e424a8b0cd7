#pragma once
// Low-latency mode of a serial driver. A USB serial adapter holds a few
// bytes from the device back until its latency timer runs out (16 ms by
// default on FTDI chips); each one-byte reply of the download and the
// firmware upload would wait that long. Linux drivers that can shorten it
// do so while the ASYNC_LOW_LATENCY flag is set (TIOCGSERIAL/TIOCSSERIAL).
// The port asks for the flag while it is open and gives the driver its
// earlier flags back at close; a driver without the flags word (a
// pseudo-terminal) or that refuses the change is left as it was, silently.

#include <memory>

// The driver's flags word of one open port.
class SerialFlags {
 public:
  virtual ~SerialFlags() = default;
  // False where the driver has no such word.
  virtual bool get(int& flags) = 0;
  // False where the driver refuses the change.
  virtual bool set(int flags) = 0;
};

// ASYNC_LOW_LATENCY of linux/serial.h.
constexpr int SERIAL_FLAG_LOW_LATENCY = 1 << 13;

// The flags word of the port open on `fd`; null on systems without one.
std::unique_ptr<SerialFlags> serial_flags_of(int fd);

// Low-latency mode for as long as the hold lives.
class LowLatencyHold {
 public:
  explicit LowLatencyHold(std::unique_ptr<SerialFlags> flags);
  ~LowLatencyHold();
  LowLatencyHold(const LowLatencyHold&) = delete;
  LowLatencyHold& operator=(const LowLatencyHold&) = delete;

  // Whether the flag was set by this hold (and is given back at its end).
  bool changed() const { return changed_; }

 private:
  std::unique_ptr<SerialFlags> flags_;
  int earlier_ = 0;
  bool changed_ = false;
};
