#pragma once
// The "DEMO" port: a simulated panel of the program's own firmware running
// inside the program on a real pseudo-terminal, for trying the program,
// training and preparing settings files with no panel at hand. It appears
// in the port list as "DEMO"; a read or write on it opens the pseudo-
// terminal's device path, so everything runs through the real serial layer
// and the panel answers, fails and remembers as a real one does. Its memory
// starts from a configured image and lasts until the program ends.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/simulated_panel.h"

namespace tevral::sim {

enum class Firmware { kCurrent, kEarlier };

// "current" or "earlier"; nothing for anything else.
std::optional<Firmware> ParseFirmware(std::string_view name);

// Gives `panel` the identity of a panel of that firmware and writes its
// configured image over the panel's memory.
void ConfigurePanel(SimulatedPanel& panel, Firmware firmware);

class DemoPort {
 public:
  static constexpr std::string_view kName = "DEMO";

  // Configures the panel and starts it. Throws std::system_error when no
  // pseudo-terminal can be made.
  explicit DemoPort(Firmware firmware);

  std::string DevicePath() const { return panel_.DevicePath(); }
  SimulatedPanel& Panel() { return panel_; }

  // The name a read or write opens: the device path for "DEMO", any other
  // name unchanged.
  std::string Resolve(const std::string& port_name) const;

  // A port list that is `list_ports`'s with "DEMO" in front, where the
  // window selects it first.
  using PortLister = std::function<void(std::vector<std::string>&)>;
  PortLister WithDemoEntry(PortLister list_ports) const;

 private:
  SimulatedPanel panel_;
};

}  // namespace tevral::sim
