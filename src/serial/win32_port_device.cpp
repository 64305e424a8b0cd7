// The serial port over the Windows communications calls of kernel32. The
// driver does the timeouts itself: a read or write is one blocking call that
// ends by the total timeouts last given to SetCommTimeouts.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include "serial/port_device.h"
#include "serial/port_names.h"
#include "serial/sys_error.h"

static_assert(DCB_NOPARITY == NOPARITY && DCB_ONESTOPBIT == ONESTOPBIT);
static_assert(DCB_DTR_CONTROL_DISABLE == DTR_CONTROL_DISABLE);
static_assert(DCB_RTS_CONTROL_DISABLE == RTS_CONTROL_DISABLE);
static_assert(DCB_RTS_CONTROL_HANDSHAKE == RTS_CONTROL_HANDSHAKE);
static_assert(CAPS_SP_PARITY == SP_PARITY && CAPS_SP_BAUD == SP_BAUD);
static_assert(CAPS_SP_DATABITS == SP_DATABITS && CAPS_SP_STOPBITS == SP_STOPBITS);
static_assert(CAPS_DATABITS_8 == DATABITS_8 && CAPS_STOPBITS_10 == STOPBITS_10);
static_assert(CAPS_PARITY_NONE == PARITY_NONE);
static_assert(CAPS_PCF_TOTALTIMEOUTS == PCF_TOTALTIMEOUTS);
static_assert(CAPS_PCF_INTTIMEOUTS == PCF_INTTIMEOUTS);

namespace {

constexpr DWORD kCommPropInitialized = 0xE73CF52E;

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
using CommPropBuffer = std::unique_ptr<COMMPROP, FreeDeleter>;

// A zeroed properties buffer of at least the structure's size: a driver may
// report a shorter packet length and still fill the whole structure.
CommPropBuffer alloc_props(std::size_t length) {
  const std::size_t size = std::max(length, sizeof(COMMPROP));
  CommPropBuffer props(static_cast<COMMPROP*>(std::calloc(1, size)));
  if (props) props->wPacketLength = static_cast<WORD>(size);
  return props;
}

class Win32Port final : public PortDevice {
 public:
  explicit Win32Port(HANDLE handle) : handle_(handle) {}
  Win32Port(const Win32Port&) = delete;
  Win32Port& operator=(const Win32Port&) = delete;
  ~Win32Port() override { CloseHandle(handle_); }

  PropsFailure get_properties(CommCaps& caps) override;
  bool get_state(PortDcb& dcb) override;
  bool set_state(const PortDcb& dcb) override;
  bool set_timeouts(const PortTimeouts& t) override;
  bool read(unsigned char* buf, int size, int& got) override;
  bool write(const void* buf, int count, int& written) override;
  void purge() override { PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR); }

 private:
  HANDLE handle_;
  DCB dcb_{};  // the driver's whole state, fields the utility does not set included
};

// Asked twice: first for the packet length the driver wants, then with a
// buffer of that length marked as initialised.
PropsFailure Win32Port::get_properties(CommCaps& caps) {
  CommPropBuffer props = alloc_props(sizeof(COMMPROP));
  if (!props) return PropsFailure::kAllocFirst;
  if (!GetCommProperties(handle_, props.get())) return PropsFailure::kGetFirst;
  const std::size_t reported = props->wPacketLength;
  props.reset();
  props = alloc_props(reported);
  if (!props) return PropsFailure::kAllocSecond;
  props->dwProvSpec1 = kCommPropInitialized;
  if (!GetCommProperties(handle_, props.get())) return PropsFailure::kGetSecond;
  caps.settable_params = props->dwSettableParams;
  caps.settable_data = props->wSettableData;
  caps.settable_stop_parity = props->wSettableStopParity;
  caps.prov_capabilities = props->dwProvCapabilities;
  return PropsFailure::kNone;
}

bool Win32Port::get_state(PortDcb& dcb) {
  dcb_ = DCB{};
  dcb_.DCBlength = sizeof(DCB);
  if (!GetCommState(handle_, &dcb_)) return false;
  dcb.baud_rate = dcb_.BaudRate;
  dcb.byte_size = dcb_.ByteSize;
  dcb.parity = dcb_.Parity;
  dcb.stop_bits = dcb_.StopBits;
  dcb.parity_check = dcb_.fParity != 0;
  dcb.outx_cts_flow = dcb_.fOutxCtsFlow != 0;
  dcb.outx_dsr_flow = dcb_.fOutxDsrFlow != 0;
  dcb.dtr_control = static_cast<std::uint8_t>(dcb_.fDtrControl);
  dcb.out_x = dcb_.fOutX != 0;
  dcb.in_x = dcb_.fInX != 0;
  dcb.null_discard = dcb_.fNull != 0;
  dcb.rts_control = static_cast<std::uint8_t>(dcb_.fRtsControl);
  return true;
}

bool Win32Port::set_state(const PortDcb& dcb) {
  dcb_.BaudRate = dcb.baud_rate;
  dcb_.ByteSize = dcb.byte_size;
  dcb_.Parity = dcb.parity;
  dcb_.StopBits = dcb.stop_bits;
  dcb_.fParity = dcb.parity_check ? 1 : 0;
  dcb_.fOutxCtsFlow = dcb.outx_cts_flow ? 1 : 0;
  dcb_.fOutxDsrFlow = dcb.outx_dsr_flow ? 1 : 0;
  dcb_.fDtrControl = dcb.dtr_control;
  dcb_.fOutX = dcb.out_x ? 1 : 0;
  dcb_.fInX = dcb.in_x ? 1 : 0;
  dcb_.fNull = dcb.null_discard ? 1 : 0;
  dcb_.fRtsControl = dcb.rts_control;
  return SetCommState(handle_, &dcb_) != 0;
}

bool Win32Port::set_timeouts(const PortTimeouts& t) {
  COMMTIMEOUTS ct{};
  ct.ReadIntervalTimeout = t.read_interval;
  ct.ReadTotalTimeoutMultiplier = t.read_total_multiplier;
  ct.ReadTotalTimeoutConstant = t.read_total_constant;
  ct.WriteTotalTimeoutMultiplier = t.write_total_multiplier;
  ct.WriteTotalTimeoutConstant = t.write_total_constant;
  return SetCommTimeouts(handle_, &ct) != 0;
}

bool Win32Port::read(unsigned char* buf, int size, int& got) {
  DWORD n = 0;
  const BOOL ok = ReadFile(handle_, buf, static_cast<DWORD>(size), &n, nullptr);
  got = static_cast<int>(n);
  return ok != 0;
}

// A write that ends by its timeout succeeds with fewer bytes; that is a failure
// here, reported as the timeout it was.
bool Win32Port::write(const void* buf, int count, int& written) {
  DWORD n = 0;
  const BOOL ok = WriteFile(handle_, buf, static_cast<DWORD>(count), &n, nullptr);
  written = static_cast<int>(n);
  if (!ok) return false;
  if (n != static_cast<DWORD>(count)) {
    set_port_error(PortError::kTimedOut);
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<PortDevice> port_device_open(const char* path) {
  HANDLE handle =
      CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32Port>(handle);
}

// The \\.\ form opens every port, COM10 included.
std::string default_device_path(int number) { return "\\\\.\\COM" + std::to_string(number); }
