#include "sim/demo_port.h"

#include <utility>

#include "sim/current_panel_image.h"
#include "sim/earlier_panel_image.h"

namespace tevral::sim {

std::optional<Firmware> ParseFirmware(std::string_view name) {
  if (name == "current") return Firmware::kCurrent;
  if (name == "earlier") return Firmware::kEarlier;
  return std::nullopt;
}

void ConfigurePanel(SimulatedPanel& panel, Firmware firmware) {
  if (firmware == Firmware::kEarlier) {
    panel.SetIdentity(EarlierPanelIdentity());
    WriteEarlierPanelImage(panel.Memory());
  } else {
    panel.SetIdentity(CurrentPanelIdentity());
    WriteCurrentPanelImage(panel.Memory());
  }
}

DemoPort::DemoPort(Firmware firmware) {
  ConfigurePanel(panel_, firmware);
  panel_.Start();
}

std::string DemoPort::Resolve(const std::string& port_name) const {
  return port_name == kName ? DevicePath() : port_name;
}

DemoPort::PortLister DemoPort::WithDemoEntry(PortLister list_ports) const {
  return [list_ports = std::move(list_ports)](std::vector<std::string>& ports) {
    ports.clear();
    if (list_ports) list_ports(ports);
    ports.insert(ports.begin(), std::string(kName));
  };
}

}  // namespace tevral::sim
