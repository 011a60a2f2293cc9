// The serial ports with their devices, from the Setup API: every present
// device of the Ports class that has a port name. USB adapters carry their
// vendor and product ids in the device instance id ("USB\VID_0403&PID_6001
// \A50285BI", or "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000" for FTDI's own
// driver), and the last part of a USB instance id is the adapter's serial
// number when it has one (a generated one holds "&").

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h first
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/port_details.h"

namespace tevral::link {

namespace {

std::string RegistryProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
  char buffer[512] = {};
  DWORD type = 0;
  if (!SetupDiGetDeviceRegistryPropertyA(set, &device, property, &type,
                                         reinterpret_cast<BYTE*>(buffer), sizeof buffer - 1,
                                         nullptr)) {
    return {};
  }
  return std::string(buffer);
}

std::string PortName(HDEVINFO set, SP_DEVINFO_DATA& device) {
  HKEY key = SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return {};
  char name[64] = {};
  DWORD size = sizeof name - 1;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::string(name) : std::string();
}

std::string InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
  char id[512] = {};
  if (!SetupDiGetDeviceInstanceIdA(set, &device, id, sizeof id - 1, nullptr)) return {};
  return std::string(id);
}

// Four hexadecimal digits after `tag` ("VID_"), or "".
std::string IdAfter(const std::string& instance, const char* tag) {
  const std::size_t at = instance.find(tag);
  if (at == std::string::npos || at + 8 > instance.size()) return {};
  return instance.substr(at + 4, 4);
}

void FillUsbDetails(const std::string& instance, PortDetails& port) {
  port.vendor_id = IdAfter(instance, "VID_");
  port.product_id = IdAfter(instance, "PID_");
  port.usb = !port.vendor_id.empty();
  if (!port.usb || instance.rfind("USB\\", 0) != 0) return;
  const std::size_t last = instance.rfind('\\');
  const std::string tail = last == std::string::npos ? std::string() : instance.substr(last + 1);
  if (tail.find('&') == std::string::npos) port.serial = tail;
}

}  // namespace

std::vector<PortDetails> DescribeSerialPorts() {
  std::vector<PortDetails> ports;
  HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    PortDetails port;
    port.device = PortName(set, device);
    if (port.device.empty()) continue;  // a printer port or a modem
    port.driver = RegistryProperty(set, device, SPDRP_SERVICE);
    FillUsbDetails(InstanceId(set, device), port);
    if (port.usb) {
      port.manufacturer = RegistryProperty(set, device, SPDRP_MFG);
      port.product = RegistryProperty(set, device, SPDRP_DEVICEDESC);
    }
    ports.push_back(std::move(port));
  }
  SetupDiDestroyDeviceInfoList(set);
  std::sort(ports.begin(), ports.end(),
            [](const PortDetails& a, const PortDetails& b) { return a.device < b.device; });
  return ports;
}

}  // namespace tevral::link
