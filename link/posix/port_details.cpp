#include "link/port_details.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace tevral::link {
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
// first folder with an idVendor attribute) and takes what it says of itself.
void FillUsbDetails(fs::path dir, const fs::path& root, PortDetails& port) {
  while (!dir.empty() && dir != dir.root_path() && IsInside(dir, root) && dir != root) {
    const std::string vendor = ReadAttribute(dir / "idVendor");
    if (!vendor.empty()) {
      port.usb = true;
      port.vendor_id = vendor;
      port.product_id = ReadAttribute(dir / "idProduct");
      port.manufacturer = ReadAttribute(dir / "manufacturer");
      port.product = ReadAttribute(dir / "product");
      port.serial = ReadAttribute(dir / "serial");
      return;
    }
    dir = dir.parent_path();
  }
}

}  // namespace

std::vector<PortDetails> DescribeSerialPortsIn(const fs::path& sysfs_root) {
  std::vector<PortDetails> ports;
  std::error_code error;
  const fs::path root = fs::weakly_canonical(sysfs_root, error);
  if (error) return ports;
  fs::directory_iterator ttys(root / "class" / "tty", error);
  if (error) return ports;
  const fs::directory_iterator end;
  for (; ttys != end; ttys.increment(error)) {
    const fs::path tty_dir = ttys->path();
    std::error_code link_error;
    const fs::path device_dir = fs::canonical(tty_dir / "device", link_error);
    if (link_error || IsPlaceholderUart(tty_dir)) continue;
    PortDetails port;
    port.device = "/dev/" + tty_dir.filename().string();
    port.driver = DriverName(device_dir);
    FillUsbDetails(device_dir, root, port);
    ports.push_back(std::move(port));
  }
  std::sort(ports.begin(), ports.end(),
            [](const PortDetails& a, const PortDetails& b) { return a.device < b.device; });
  return ports;
}

std::vector<PortDetails> DescribeSerialPorts() {
  return DescribeSerialPortsIn("/sys");
}

}  // namespace tevral::link
