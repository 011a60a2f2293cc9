#pragma once
// The computer's serial ports, found in sysfs without opening any of them
// (opening a port can disturb whatever is on it, the console included).

#include <filesystem>
#include <string>
#include <vector>

namespace tevral::link::posix {

// Replaces ports with /dev/NAME for every terminal under
// sysfs_root/class/tty that has hardware and a driver behind it, sorted
// without regard to case. A UART slot the kernel reserves without a chip in
// it (type 0, "unknown") is left out. Throws EComPort with the registry
// message, leaving ports as they were, when the tree cannot be read.
void ListSerialPortsIn(const std::filesystem::path& sysfs_root, std::vector<std::string>& ports);

}  // namespace tevral::link::posix
