#include <cstddef>

#include "console/console.h"
#include "port_list/port_list_text.h"
#include "port_list/port_obstacles.h"

namespace {

// "crw-rw----" for a character device that its owner and group may use.
std::string mode_text(unsigned mode) {
  static constexpr char letters[] = "rwxrwxrwx";
  std::string text = "c";
  for (std::size_t bit = 0; bit < 9; ++bit) {
    text += (mode & (0400U >> bit)) != 0 ? letters[bit] : '-';
  }
  return text;
}

std::string holders_note(const std::vector<PortHolder>& holders) {
  std::string seen;
  bool unseen = false;
  for (const PortHolder& h : holders) {
    if (h.program.empty()) {
      unseen = true;
      continue;
    }
    seen += seen.empty() ? "" : " and ";
    seen += format_text("%s (pid %d)", printable_text(h.program).c_str(), h.pid);
  }
  if (seen.empty()) return unseen ? "in use (by a process this user cannot see)" : "";
  return "in use by " + seen + (unseen ? " and a process this user cannot see" : "");
}

std::string access_note(const PortObstacles& o) {
  const std::string user = printable_text(o.user);
  const std::string group = printable_text(o.group);
  switch (o.access) {
    case PortAccess::kNotInGroup:
      return format_text(
          "not open to %s: its group %s may use it, and %s is not in that group; add yourself: "
          "sudo usermod -aG %s %s, then log in again",
          user.c_str(), group.c_str(), user.c_str(), group.c_str(), user.c_str());
    case PortAccess::kLoginPredates:
      return format_text(
          "not open to %s yet: %s is in its group %s, but this login predates that; log out and "
          "in again",
          user.c_str(), user.c_str(), group.c_str());
    case PortAccess::kDenied:
      return format_text("not open to %s (%s, group %s)", user.c_str(), mode_text(o.mode).c_str(),
                         group.c_str());
    default:
      return {};
  }
}

std::string modem_manager_note(const ListedPort& p) {
  return format_text(
      "ModemManager is running and probes new serial adapters; to make it leave this one alone, "
      "add the udev rule ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", "
      "ENV{ID_MM_DEVICE_IGNORE}=\"1\" to a file in /etc/udev/rules.d/ and plug the adapter in "
      "again",
      p.vendor_id, p.product_id);
}

}  // namespace

std::vector<std::string> obstacle_notes(const ListedPort& port) {
  const PortObstacles& o = port.obstacles;
  std::vector<std::string> notes;
  if (o.missing) notes.emplace_back("not there (no such device)");
  if (std::string held = holders_note(o.holders); !held.empty()) notes.push_back(held);
  if (std::string access = access_note(o); !access.empty()) notes.push_back(access);
  if (o.console) notes.emplace_back("the kernel console");
  if (o.brltty) {
    notes.emplace_back(
        "brltty is installed and takes CH340/CH341 adapters such as this one for a braille "
        "display, which makes the port vanish; without a braille display, remove it: sudo apt "
        "remove brltty");
  }
  if (o.modem_manager) notes.push_back(modem_manager_note(port));
  return notes;
}

std::string port_open_advice(const std::string& name, const std::string& path) {
  const std::vector<std::string> notes = obstacle_notes(examine_port(path));
  if (notes.empty()) return {};
  return printable_text(name) + " is " + printable_text(path) + ", " + notes.front();
}
