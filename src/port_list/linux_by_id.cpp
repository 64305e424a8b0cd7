#include <algorithm>
#include <system_error>
#include <vector>

#include "port_list/linux_port_list.h"

namespace fs = std::filesystem;

std::map<std::string, std::string> by_id_links(const fs::path& dev) {
  std::error_code ec;
  std::vector<fs::path> links;
  for (fs::directory_iterator it(dev / "serial" / "by-id", ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->is_symlink(ec)) links.push_back(it->path());
  }
  std::sort(links.begin(), links.end());
  std::map<std::string, std::string> by_tty;
  for (const fs::path& link : links) {
    const fs::path target = fs::read_symlink(link, ec);
    if (ec || target.filename().empty()) continue;
    by_tty.emplace(target.filename().string(), link.string());
  }
  return by_tty;
}
