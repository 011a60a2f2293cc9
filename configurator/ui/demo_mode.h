#pragma once
// What a window can start with besides its defaults, shared by both
// programs:
//
//   terminal [--demo] [--trace LOG]
//
// --demo adds the "DEMO" port: a simulated panel of the program's own
// firmware inside the program (see sim/demo_port.h). --trace appends every
// frame and reply of every read and write to LOG (see link/trace.h).

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>
#include <variant>

#include "link/tbcomport.h"
#include "link/trace.h"

#ifdef TEVRAL_HAS_DEMO_PORT
#include "sim/demo_port.h"
#endif

namespace tevral::ui {

struct WindowArguments {
  bool demo = false;
  std::filesystem::path trace;  // empty: no trace
  QString screenshot_folder;    // the documentation's pictures; empty: none
};

// The arguments after the program name, once QApplication has taken its
// own. An unknown argument or a missing value gives the message to show.
std::variant<WindowArguments, std::string> ParseWindowArguments(const QStringList& arguments);

enum class DemoFirmware { kCurrent, kEarlier };

// Owns the demo panel and the trace file for the window's whole life.
class WindowExtras {
 public:
  // Starts the demo panel when asked (std::runtime_error where there is
  // none on this system, std::system_error when no pseudo-terminal can be
  // made) and opens the trace (std::runtime_error naming the file).
  WindowExtras(const WindowArguments& arguments, DemoFirmware firmware);
  ~WindowExtras();
  WindowExtras(const WindowExtras&) = delete;
  WindowExtras& operator=(const WindowExtras&) = delete;

  // Puts the demo port into the window's port list and its name resolver,
  // and the trace into its services. Works on the services of either
  // window: both have list_ports, resolve_port and trace.
  template <typename Services>
  void Apply(Services& services) {
#ifdef TEVRAL_HAS_DEMO_PORT
    if (demo_) {
      services.list_ports = demo_->WithDemoEntry(services.list_ports);
      sim::DemoPort* demo = demo_.get();
      services.resolve_port = [demo](const std::string& name) { return demo->Resolve(name); };
    }
#endif
    services.trace = trace_.get();
  }

  // The port each trace line names: the window's, once it exists.
  void TracePort(const link::TBComPort& port) {
    traced_port_ = &port;
  }

#ifdef TEVRAL_HAS_DEMO_PORT
  sim::DemoPort* Demo() {
    return demo_.get();
  }
#endif

 private:
#ifdef TEVRAL_HAS_DEMO_PORT
  std::unique_ptr<sim::DemoPort> demo_;
#endif
  std::unique_ptr<link::FileTrace> trace_;
  const link::TBComPort* traced_port_ = nullptr;
};

}  // namespace tevral::ui
