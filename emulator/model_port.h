#pragma once
// The device model's end of the line, as a port device the serial routines
// can open. Time is virtual: a read advances the bench's clock from event to
// event until its count has come or its total timeout has run out, so a host's
// 20-second wait costs no wall time. A write hands its bytes to the model at
// the current time and returns at once, as a driver's buffer would take them.
//
// A port reports every capability, keeps the line state set on it (its rate
// is the line speed the model sees) and the timeouts. Once the model has hung
// up, what it sent before still reads; past that a read fails with EIO, and
// so does every write. Only one port is open at a time, like a real COM port:
// a second open fails with EBUSY.

#include <memory>
#include <string>
#include <vector>

#include "device_model.h"
#include "serial/port_device.h"

struct BenchCore {
  explicit BenchCore(EmuOptions options) : model(std::move(options)) {}

  DeviceModel model;
  EmuTime now{0};
  bool port_open = false;
  PortDcb dcb;  // the open port's line state
  std::vector<std::string> log;
};

class ModelPort final : public PortDevice {
 public:
  // Opens the model's port: a new host session begins. Null (errno EBUSY)
  // while another port on it is open.
  static std::unique_ptr<PortDevice> open(const std::shared_ptr<BenchCore>& core);
  explicit ModelPort(std::shared_ptr<BenchCore> core) : core_(std::move(core)) {}
  ~ModelPort() override;
  ModelPort(const ModelPort&) = delete;
  ModelPort& operator=(const ModelPort&) = delete;

  PropsFailure get_properties(CommCaps& caps) override;
  bool get_state(PortDcb& dcb) override;
  bool set_state(const PortDcb& dcb) override;
  bool set_timeouts(const PortTimeouts& timeouts) override;
  bool read(unsigned char* buf, int size, int& got) override;
  bool write(const void* buf, int count, int& written) override;
  void purge() override;

 private:
  std::shared_ptr<BenchCore> core_;
  PortTimeouts timeouts_;
};
