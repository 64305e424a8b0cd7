#pragma once
// PLACEHOLDER: the serial layer replaces this with the real open port.

class PortHandle {
 public:
  bool is_open() const { return false; }
  void close() {}
};
