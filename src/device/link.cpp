#include "device/link.h"

#include <chrono>

OpenPortResult Link::open(std::int32_t baud) {
  return open_port(con_, port_handle, port_name, baud, env);
}

int Link::read(std::span<std::uint8_t> buf, std::uint32_t timeout_ms) {
  return read_port(con_, port_handle, port_name, buf.data(), static_cast<int>(buf.size()),
                   timeout_ms);
}

int Link::write(std::span<const std::uint8_t> bytes) {
  return write_port(con_, port_handle, port_name, bytes.data(), static_cast<int>(bytes.size()));
}

int Link::write_text(std::string_view text) {
  return write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void Link::purge() { purge_port(port_handle); }

bool Link::drain(std::span<std::uint8_t> scratch, std::uint32_t timeout_ms) {
  constexpr auto limit = std::chrono::milliseconds(2000);
  const auto start = now();
  while (read(scratch, timeout_ms) != 0) {
    if (now() - start >= limit) {
      con_.print(
          "\a\aError: the line on port %s never went quiet: is this the kTrevaNodi's port?\n",
          port_name);
      return false;
    }
  }
  return true;
}

void Link::close_port() { port_handle.close(); }

void Link::close() {
  port_handle.close();
  connected = 0;
}
