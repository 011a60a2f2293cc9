#pragma once
// What the system knows of each serial port, without opening any of them:
// whether it sits on a USB adapter, the adapter's vendor and product (ids
// and names), its serial number and the driver bound to it. An engineer
// with three adapters plugged in tells the panel's cable by these; the port
// probe only ever goes, on its own, to ports that are USB adapters.

#include <filesystem>
#include <string>
#include <vector>

namespace tevral::link {

struct PortDetails {
  std::string device;        // "/dev/ttyUSB0", "COM7"
  std::string driver;        // "ftdi_sio", "usbser"; empty when unknown
  bool usb = false;          // the port belongs to a USB device
  std::string vendor_id;     // "0403"; empty for a port not on USB
  std::string product_id;    // "6001"
  std::string manufacturer;  // "FTDI"; empty when the device gives none
  std::string product;       // "FT232R USB UART"
  std::string serial;        // the adapter's serial number; empty when none

  // "FTDI FT232R USB UART (0403:6001)", the ids alone without names, empty
  // for a port that is not on USB.
  std::string UsbDescription() const;
};

// Every serial port of the system with what is known of it, sorted by
// device name. Placeholder UARTs with no hardware behind them are left out.
// A system that cannot be asked gives an empty list.
std::vector<PortDetails> DescribeSerialPorts();

#ifndef _WIN32
// The same from a sysfs tree (tests hand in a made-up one).
std::vector<PortDetails> DescribeSerialPortsIn(const std::filesystem::path& sysfs_root);
#endif

}  // namespace tevral::link
