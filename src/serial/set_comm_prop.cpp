#include "serial/port_rate_table.h"
#include "serial/serial.h"

namespace {

int props_failure(Console& con, const char* name, PropsFailure failure) {
  const bool alloc = failure == PropsFailure::kAllocFirst || failure == PropsFailure::kAllocSecond;
  if (alloc) {
    con.print("\a\aError: could not malloc comm properties buffer for port %s: %s\n", name,
              sys_error_text());
  } else {
    con.print("\a\aError: could not get comm properties for port %s: %s\n", name, sys_error_text());
  }
  switch (failure) {
    case PropsFailure::kAllocFirst:
      return -3;
    case PropsFailure::kGetFirst:
      return -4;
    case PropsFailure::kAllocSecond:
      return -5;
    default:
      return -6;
  }
}

int query_caps(Console& con, PortHandle& port, const char* name, CommCaps& caps) {
  PortDevice* device = port.device();
  if (device == nullptr) {
    set_bad_handle_error();
    return props_failure(con, name, PropsFailure::kGetFirst);
  }
  const PropsFailure failure = device->get_properties(caps);
  return failure == PropsFailure::kNone ? 0 : props_failure(con, name, failure);
}

int check_caps(Console& con, const char* name, const CommCaps& caps) {
  constexpr std::uint32_t params =
      CAPS_SP_PARITY | CAPS_SP_BAUD | CAPS_SP_DATABITS | CAPS_SP_STOPBITS;
  constexpr std::uint16_t stop_parity = CAPS_STOPBITS_10 | CAPS_PARITY_NONE;
  constexpr std::uint32_t timeouts = CAPS_PCF_TOTALTIMEOUTS | CAPS_PCF_INTTIMEOUTS;
  if ((caps.settable_params & params) != params) {
    con.print(
        "\a\aError: required comm properties for port %s not settable: Settable Params 0x%08x\n",
        name, static_cast<unsigned>(caps.settable_params));
    return -7;
  }
  if ((caps.settable_data & CAPS_DATABITS_8) == 0) {
    con.print(
        "\a\aError: 8 data bits comm properties for port %s not settable: Settable Data 0x%04x\n",
        name, static_cast<unsigned>(caps.settable_data));
    return -9;
  }
  if ((caps.settable_stop_parity & stop_parity) != stop_parity) {
    con.print(
        "\a\aError: 1 stop bit, no parity comm properties for port %s not settable: Settable Stop "
        "& Parity 0x%04x\n",
        name, static_cast<unsigned>(caps.settable_stop_parity));
    return -10;
  }
  if ((caps.prov_capabilities & timeouts) != timeouts) {
    con.print(
        "\a\aError: timeouts comm properties for port %s not settable: Settable Prov Cap 0x%08x\n",
        name, static_cast<unsigned>(caps.prov_capabilities));
    return -11;
  }
  return 0;
}

int set_line(Console& con, PortHandle& port, const char* name, std::uint32_t rate) {
  PortDcb dcb;
  if (!port.device()->get_state(dcb)) {
    con.print("\a\aError: could not get the comm state for port %s: %s\n", name, sys_error_text());
    return -12;
  }
  apply_line_settings(dcb, rate);
  if (!port.device()->set_state(dcb)) {
    con.print("\a\aError: could not set the comm state for port %s: %s\n", name, sys_error_text());
    return -13;
  }
  port.port_dcb = dcb;
  return 0;
}

int check_and_set(Console& con, PortHandle& port, const char* name, std::uint32_t rate) {
  CommCaps caps;
  int rc = query_caps(con, port, name, caps);
  if (rc == 0) rc = check_caps(con, name, caps);
  if (rc == 0) rc = set_line(con, port, name, rate);
  return rc;
}

}  // namespace

int set_comm_prop(Console& con, PortHandle& port, const char* name, std::int32_t baud) {
  if (name == nullptr) {
    con.print("set_comm_prop: Error: port null argument\n");
    return -1;
  }
  const std::uint32_t* rate = get_baud(con, baud);
  if (rate == nullptr) {
    con.print("\a\aError: Invalid baud rate %ld\n", static_cast<long>(baud));
    return -2;
  }
  const int rc = check_and_set(con, port, name, *rate);
  if (rc != 0) port.close();
  return rc;
}
