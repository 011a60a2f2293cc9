#pragma once
// The serial adapters the system knows, as the Linux kernel describes them
// in sysfs: the nearest thing to the Windows device manager's "Ports" list,
// for the engineer who wants to know which /dev/tty* is the panel's cable.
// Plain C++: the Qt dialog only shows what this finds.

#include <filesystem>
#include <string>
#include <vector>

namespace tevral::ui {

struct SerialAdapter {
  std::string device;       // "/dev/ttyUSB0"
  std::string driver;       // "ftdi_sio", "cdc_acm", "serial8250"; empty if none bound
  std::string description;  // "FTDI FT232R USB UART (0403:6001)"; empty for a non-USB port
};

// Every tty backed by hardware under sysfs_root ("/sys" on a running
// system), sorted by device path. Virtual terminals and pseudo-terminals
// (no "device" link) and placeholder UARTs with no hardware behind them
// (type 0) are left out. A tree that cannot be read gives an empty list.
std::vector<SerialAdapter> ListSerialAdapters(const std::filesystem::path& sysfs_root = "/sys");

}  // namespace tevral::ui
