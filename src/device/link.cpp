#include "device/link.h"

#include <chrono>

#include "serial/serial.h"
#include "serial/traced_port_device.h"

void link_close(LinkState& link) {
  link.port_handle.close();
  link.connected = 0;
}

int Link::open(std::int32_t baud) {
  if (state_.env.trace == nullptr) {
    return open_port(con_, state_.port_handle, state_.port_name, baud, state_.env.open_device);
  }
  return open_port(
      con_, state_.port_handle, state_.port_name, baud,
      traced_opener(state_.env.open_device, *state_.env.trace, state_.port_name, baud));
}

int Link::read(std::span<std::uint8_t> buf, std::uint32_t timeout_ms) {
  return read_port(con_, state_.port_handle, state_.port_name, buf.data(),
                   static_cast<int>(buf.size()), timeout_ms);
}

int Link::write(std::span<const std::uint8_t> bytes) {
  return write_port(con_, state_.port_handle, state_.port_name, bytes.data(),
                    static_cast<int>(bytes.size()));
}

int Link::write_text(std::string_view text) {
  return write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void Link::purge() { purge_port(state_.port_handle); }

bool Link::drain(std::span<std::uint8_t> scratch, std::uint32_t timeout_ms) {
  constexpr auto limit = std::chrono::milliseconds(2000);
  const auto start = now();
  while (read(scratch, timeout_ms) != 0) {
    if (now() - start >= limit) {
      con_.print(
          "\a\aError: the line on port %s never went quiet: is this the kTrevaNodi's port?\n",
          port_name());
      return false;
    }
  }
  return true;
}

void Link::close_port() { state_.port_handle.close(); }
