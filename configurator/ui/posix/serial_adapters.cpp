#include "configurator/ui/serial_adapters.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace tevral::ui {
namespace fs = std::filesystem;
namespace {

// The first line of a sysfs attribute, without its line end; empty when the
// attribute is missing.
std::string ReadAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
    line.pop_back();
  }
  return line;
}

bool IsPlaceholderUart(const fs::path& tty_dir) {
  // The 8250 driver registers ports for every legacy address whether or not a
  // chip answers there; those read type 0 (unknown).
  return ReadAttribute(tty_dir / "type") == "0";
}

std::string DriverName(const fs::path& device_dir) {
  std::error_code error;
  const fs::path target = fs::read_symlink(device_dir / "driver", error);
  return error ? std::string() : target.filename().string();
}

bool IsInside(const fs::path& path, const fs::path& root) {
  const auto [root_end, path_it] =
      std::mismatch(root.begin(), root.end(), path.begin(), path.end());
  return root_end == root.end();
}

// Walks up from the port's device to the USB device it belongs to (the
// first folder with an idVendor attribute) and names it.
std::string UsbDescription(fs::path dir, const fs::path& root) {
  while (!dir.empty() && dir != dir.root_path() && IsInside(dir, root) && dir != root) {
    const std::string vendor = ReadAttribute(dir / "idVendor");
    if (!vendor.empty()) {
      std::string text = ReadAttribute(dir / "manufacturer");
      const std::string product = ReadAttribute(dir / "product");
      if (!product.empty()) text += (text.empty() ? "" : " ") + product;
      const std::string ids = vendor + ":" + ReadAttribute(dir / "idProduct");
      return text.empty() ? ids : text + " (" + ids + ")";
    }
    dir = dir.parent_path();
  }
  return {};
}

}  // namespace

std::vector<SerialAdapter> ListSerialAdapters(const fs::path& sysfs_root) {
  std::vector<SerialAdapter> adapters;
  std::error_code error;
  const fs::path root = fs::weakly_canonical(sysfs_root, error);
  if (error) return adapters;
  fs::directory_iterator ttys(root / "class" / "tty", error);
  if (error) return adapters;
  const fs::directory_iterator end;
  for (; ttys != end; ttys.increment(error)) {
    const fs::path tty_dir = ttys->path();
    std::error_code link_error;
    const fs::path device_dir = fs::canonical(tty_dir / "device", link_error);
    if (link_error || IsPlaceholderUart(tty_dir)) continue;
    adapters.push_back({"/dev/" + tty_dir.filename().string(), DriverName(device_dir),
                        UsbDescription(device_dir, root)});
  }
  std::sort(adapters.begin(), adapters.end(),
            [](const SerialAdapter& a, const SerialAdapter& b) { return a.device < b.device; });
  return adapters;
}

}  // namespace tevral::ui
