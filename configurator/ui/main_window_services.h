#pragma once
// What a configurator window needs from outside; the program passes the
// real ones, tests their own (a folder of their own, a recording user, no
// system ports).

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "configurator/ui/desktop_services.h"
#include "configurator/ui/user_dialogs.h"
#include "link/tbcomport.h"
#include "link/trace.h"

namespace tevral::ui {

struct MainFormServices {
  UserDialogs* dialogs = nullptr;
  DesktopServices* desktop = nullptr;
  // The folder that holds the settings files: the program's own folder.
  QString program_folder;
  std::function<void(std::vector<std::string>&)> list_ports = link::ListSerialPorts;
  // The name a read or write opens for the selected port ("DEMO" becomes
  // the demo panel's device); empty: the name as shown.
  std::function<std::string(const std::string&)> resolve_port;
  // Receives every frame and reply of every read and write; nullptr: none.
  link::TraceSink* trace = nullptr;
};

}  // namespace tevral::ui
