#include "configurator/ui/serial_adapters.h"

#include "link/port_details.h"

namespace tevral::ui {

std::vector<SerialAdapter> ListSerialAdapters(const std::filesystem::path& sysfs_root) {
  std::vector<SerialAdapter> adapters;
  for (const link::PortDetails& port : link::DescribeSerialPortsIn(sysfs_root)) {
    adapters.push_back({port.device, port.driver, port.UsbDescription()});
  }
  return adapters;
}

}  // namespace tevral::ui
