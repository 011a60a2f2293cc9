#include "link/posix/list_ports.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include "link/com_errors.h"
#include "link/tbcomport.h"

namespace tevral::link::posix {

namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// serial_core publishes the UART type of each of its ports; 0 is
// PORT_UNKNOWN, a slot with no chip behind it (the kernel reserves ttyS0 to
// ttyS31 whether or not the machine has them). Terminals that are not UARTs
// (USB CDC, USB adapters) have no such attribute.
bool IsEmptyUartSlot(const fs::path& tty) {
  std::ifstream type_file(tty / "type");
  if (!type_file) return false;
  int type = -1;
  type_file >> type;
  return type_file && type == 0;
}

// A serial port has a device with a driver bound to it; virtual terminals,
// the console and pseudo-terminals have no device link at all.
bool IsSerialPort(const fs::path& tty) {
  return Exists(tty / "device" / "driver") && !IsEmptyUartSlot(tty);
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

}  // namespace

void ListSerialPortsIn(const fs::path& sysfs_root, std::vector<std::string>& ports) {
  std::vector<std::string> found;
  std::error_code error;
  fs::directory_iterator entry(sysfs_root / "class" / "tty", error);
  if (error) throw EComPort(com_message::kRegistry);
  for (; entry != fs::directory_iterator(); entry.increment(error)) {
    if (IsSerialPort(entry->path())) found.push_back("/dev/" + entry->path().filename().string());
  }
  if (error) throw EComPort(com_message::kRegistry);
  std::stable_sort(found.begin(), found.end(), LessIgnoringCase);
  ports = std::move(found);
}

}  // namespace tevral::link::posix

namespace tevral::link {

void ListSerialPorts(std::vector<std::string>& ports) {
  posix::ListSerialPortsIn("/sys", ports);
}

}  // namespace tevral::link
